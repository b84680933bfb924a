#include "tests/gui/guitest.h"

#include "core/development/development.h"
#include "core/development/storedsystems.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QComboBox>
#include <QListView>

using namespace guitest;

namespace {

class StoredSystemsTest : public GuiTest {
protected:
    // Develops the entry and compares the first and last listing lines with the shipped columns,
    // whose positions 1..n stand for the prediction's numbers from offset + 1.
    void expectDeveloped(sestara::OrtogonaliSuper* w, const sestara::StoredSystem& stored, int offset)
    {
        elaboraAndWait(w);
        ASSERT_TRUE(messages().shown.empty()) << messages().texts().join(" | ").toStdString();
        ASSERT_TRUE(stored.ok()) << stored.error;
        const QAbstractItemModel* listing = find<QListView>(w, "Testo")->model();
        ASSERT_EQ(listing->rowCount(), static_cast<int>(stored.columns.size()));
        for (std::size_t k : {std::size_t{0}, stored.columns.size() - 1}) {
            sestara::Column c;
            for (std::size_t i = 0; i < 6; ++i)
                c[i] = static_cast<std::uint8_t>(stored.columns[k][i] + offset);
            EXPECT_EQ(listing->index(static_cast<int>(k), 0).data().toString(),
                      QString::fromStdString(sestara::listingLine(k + 1, c)));
        }
    }
};

TEST_F(StoredSystemsTest, ReducedSystemFromTheShippedTable)
{
    auto* w = newSystem();
    clickNumbers(w, 21, 56); // 36 numbers: the first entry is the reduced system of level 1
    ASSERT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "36 numeri ridotto n-1");
    expectDeveloped(w, sestara::loadReducedSystem(SESTARA_PROGRAM_DIR, 36, 1), 20);
    EXPECT_EQ(text(w, "Label7"), "36 numeri ridotto n-1");
    EXPECT_EQ(text(w, "Label13_0"), "1.947.792");
}

TEST_F(StoredSystemsTest, ImmediateSystemFromTheShippedFile)
{
    auto* w = newSystem();
    clickNumbers(w, 1, 22);
    find<QComboBox>(w, "Combo1")->setCurrentIndex(1);
    const QString entry = find<QComboBox>(w, "Combo1")->currentText();
    ASSERT_EQ(entry, "22 numeri in 77 sestine a garanzia tre con 3 estratti");
    expectDeveloped(w, sestara::loadImmediateSystem(SESTARA_PROGRAM_DIR, entry.toStdString(), 22), 0);
    EXPECT_EQ(text(w, "Label2"), "77");
    EXPECT_EQ(text(w, "Label17"), "16");
}

} // namespace
