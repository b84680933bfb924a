#include "guitest.h"

#include "development/development.h"
#include "development/ortogonalisuper.h"
#include "development/storedsystems.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QTest>

using namespace guitest;

namespace {

class StoredSystemsTest : public GuiTest {
protected:
    QString line(sestara::OrtogonaliSuper* w, int row)
    {
        return find<QListView>(w, "Testo")->model()->index(row, 0).data().toString();
    }
    int lines(sestara::OrtogonaliSuper* w) { return find<QListView>(w, "Testo")->model()->rowCount(); }

    // The listing line the stored column at `k` gives for the prediction 1..n shifted by `offset`.
    QString expectedLine(const sestara::Positions& p, int k, int offset)
    {
        sestara::Column c;
        for (int i = 0; i < 6; ++i)
            c[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(p[static_cast<std::size_t>(i)] + offset);
        return QString::fromStdString(sestara::listingLine(static_cast<std::size_t>(k), c));
    }
};

TEST_F(StoredSystemsTest, ReducedSystemFromTheShippedTable)
{
    auto* w = newSystem();
    clickNumbers(w, 21, 56); // 36 numbers: the first entry is the reduced system of level 1
    ASSERT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "36 numeri ridotto n-1");
    elaboraAndWait(w);
    ASSERT_TRUE(messages().shown.empty()) << messages().texts().join(" | ").toStdString();
    const sestara::StoredSystem stored = sestara::loadReducedSystem(SESTARA_PROGRAM_DIR, 36, 1);
    ASSERT_TRUE(stored.ok()) << stored.error;
    ASSERT_EQ(lines(w), static_cast<int>(stored.columns.size()));
    EXPECT_EQ(line(w, 0), expectedLine(stored.columns.front(), 1, 20));
    EXPECT_EQ(line(w, lines(w) - 1), expectedLine(stored.columns.back(), lines(w), 20));
    EXPECT_EQ(find<QLabel>(w, "Label7")->text(), "36 numeri ridotto n-1");
    EXPECT_EQ(find<QLabel>(w, "Label13_0")->text(), "1.947.792");
}

TEST_F(StoredSystemsTest, ImmediateSystemFromTheShippedFile)
{
    auto* w = newSystem();
    clickNumbers(w, 1, 22);
    auto* types = find<QComboBox>(w, "Combo1");
    types->setCurrentIndex(1);
    ASSERT_EQ(types->currentText(), "22 numeri in 77 sestine a garanzia tre con 3 estratti");
    elaboraAndWait(w);
    ASSERT_TRUE(messages().shown.empty()) << messages().texts().join(" | ").toStdString();
    EXPECT_EQ(lines(w), 77);
    EXPECT_EQ(find<QLabel>(w, "Label2")->text(), "77");
    EXPECT_EQ(find<QLabel>(w, "Label17")->text(), "16");
    const sestara::StoredSystem stored =
        sestara::loadImmediateSystem(SESTARA_PROGRAM_DIR, types->currentText().toStdString(), 22);
    ASSERT_TRUE(stored.ok()) << stored.error;
    EXPECT_EQ(line(w, 76), expectedLine(stored.columns.back(), 77, 0));
}

} // namespace
