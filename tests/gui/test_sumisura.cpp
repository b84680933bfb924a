// "Su misura…": the dialog, the run through the window's runner, and what "Sviluppo" shows.
#include "tests/gui/guitest.h"

#include "core/design/sumisura.h"

#include <QCheckBox>
#include <QDialog>
#include <QSpinBox>

using namespace guitest;

namespace {

class SuMisuraTest : public GuiTest {
protected:
    // Chooses the last type on "Sistemi" ("Su misura…" or the design made) and answers its dialog.
    void ask(sestara::OrtogonaliSuper* w, const QString& guarantee, int limit = 0)
    {
        auto* types = find<QComboBox>(w, "Combo1");
        chooseItem(types, types->itemText(types->count() - 1));
        auto* dialog = w->findChild<QDialog*>("SuMisura");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        chooseItem(find<QComboBox>(dialog, "ComboGaranzia"), guarantee);
        chooseItem(find<QComboBox>(dialog, "ComboLivello"), "Rapido");
        auto* check = find<QCheckBox>(dialog, "CheckColonne");
        EXPECT_EQ(text(dialog, "LabelCosto"), "");
        if (limit) {
            check->setChecked(true);
            find<QSpinBox>(dialog, "SpinColonne")->setValue(limit);
            EXPECT_TRUE(text(dialog, "LabelCosto").endsWith(QStringLiteral("€"))) << text(dialog, "LabelCosto").toStdString();
        }
        press(dialog, "OKButton");
        settle();
    }
    QString line(sestara::OrtogonaliSuper* w, int row)
    {
        return find<QListView>(w, "Testo")->model()->index(row, 0).data().toString();
    }
};

} // namespace

TEST_F(SuMisuraTest, AskedMadeMappedOntoThePredictionAndShownWithItsGuarantee)
{
    auto* w = newSystem();
    clickNumbers(w, 21, 32);
    const QStringList types = items(find<QComboBox>(w, "Combo1"));
    EXPECT_EQ(types.last(), QString::fromUtf8(sestara::kVoceSuMisura));

    // "Annulla" leaves "Su misura…" without a guarantee, which "Elabora" asks for.
    chooseItem(find<QComboBox>(w, "Combo1"), QString::fromUtf8(sestara::kVoceSuMisura));
    press(w->findChild<QDialog*>("SuMisura"), "AnnullaButton");
    settle();
    elaboraAndWait(w);
    EXPECT_EQ(messages().texts(), QStringList({QString::fromUtf8(sestara::kMsgScegliSuMisura)}));
    messages().clear();

    ask(w, "3 se 4");
    EXPECT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "12 numeri su misura garanzia 3 se 4");
    elaboraAndWait(w);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join("|").toStdString();
    EXPECT_EQ(text(w, "Label7"), "12 numeri su misura garanzia 3 se 4");
    EXPECT_EQ(text(w, "LabelGaranzia"), "Garanzia 3 se 4 nel 100 % dei casi");
    const sestara::CustomDesign* design = w->document().customDesign();
    ASSERT_NE(design, nullptr);
    ASSERT_EQ(listed(w), static_cast<int>(design->columns.size()));
    // Position p of a column is the p-th number of the prediction, 21..32.
    const sestara::Positions& first = design->columns.front();
    EXPECT_EQ(line(w, 0), QStringLiteral("1\t>   %1-%2-%3-%4-%5-%6")
                              .arg(first[0] + 20).arg(first[1] + 20).arg(first[2] + 20)
                              .arg(first[3] + 20).arg(first[4] + 20).arg(first[5] + 20));

    // The same request in another window: the same columns, taken back from what was kept.
    auto* other = newSystem();
    clickNumbers(other, 1, 12);
    ask(other, "3 se 4");
    elaboraAndWait(other);
    ASSERT_NE(other->document().customDesign(), nullptr);
    EXPECT_EQ(other->document().customDesign()->columns, design->columns);

    // Within a limit, the share reached.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    ask(w, "4 se 4", 10);
    elaboraAndWait(w);
    EXPECT_EQ(listed(w), 10);
    EXPECT_TRUE(text(w, "LabelGaranzia").startsWith("Garanzia 4 se 4 nel ")) << text(w, "LabelGaranzia").toStdString();
    EXPECT_FALSE(text(w, "LabelGaranzia").contains("100 %"));
}
