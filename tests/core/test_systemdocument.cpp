#include "core/document/systemdocument.h"

#include <gtest/gtest.h>

namespace sestara {
namespace {

void clickNumbers(SystemDocument& d, int from, int to)
{
    for (int n = from; n <= to; ++n)
        d.clickGrid((n - 1) / 10 + 1, (n - 1) % 10 + 1);
}

TEST(GridCell, EachKindOfCellTogglesItsNumbersInOrder)
{
    EXPECT_EQ(numbersOfGridCell(0, 0), (std::vector<int>{1, 12, 23, 34, 45, 56, 67, 78, 89}));
    EXPECT_EQ(numbersOfGridCell(0, 1), (std::vector<int>{1, 11, 21, 31, 41, 51, 61, 71, 81}));
    EXPECT_EQ(numbersOfGridCell(0, 10), (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90}));
    EXPECT_EQ(numbersOfGridCell(9, 0), (std::vector<int>{81, 82, 83, 84, 85, 86, 87, 88, 89, 90}));
    EXPECT_EQ(numbersOfGridCell(5, 5), std::vector<int>{45});
    for (auto [r, c] : {std::pair{-1, 0}, {0, 11}, {10, 1}, {3, -1}})
        EXPECT_TRUE(numbersOfGridCell(r, c).empty()) << r << "," << c;
    EXPECT_EQ(gridNumberAt(0, 5) + gridNumberAt(10, 5) + gridNumberAt(5, 0) + gridNumberAt(5, 11), 0);
}

TEST(SystemDocument, ClicksToggleAndKeepThePredictionAscending)
{
    SystemDocument d;
    d.clickGrid(5, 5);
    d.clickGrid(1, 3);
    d.clickGrid(2, 7);
    EXPECT_EQ(d.prediction().text(), "3 17 45 ");
    EXPECT_EQ(d.prediction().evenOddText(), "0 - 3");

    // The corner frees 45, which was picked, and picks the other eight of the diagonal.
    const GridClickOutcome corner = d.clickGrid(0, 0);
    EXPECT_EQ(corner.toggled, (std::vector<int>{1, 12, 23, 34, 45, 56, 67, 78, 89}));
    EXPECT_EQ(d.prediction().text(), "1 3 12 17 23 34 56 67 78 89 ");
    EXPECT_FALSE(corner.limitReached);
}

TEST(SystemDocument, TheFiftySixthNumberStopsTheClick)
{
    SystemDocument d;
    clickNumbers(d, 1, 50);
    // Row 6 holds 51..60: five are taken, then the limit ends the click.
    const GridClickOutcome row = d.clickGrid(6, 0);
    EXPECT_TRUE(row.limitReached);
    EXPECT_EQ(row.toggled, (std::vector<int>{51, 52, 53, 54, 55}));
    EXPECT_EQ(d.prediction().count(), 55);
    EXPECT_FALSE(d.prediction().isSelected(56));
    // A picked number still frees at 55.
    EXPECT_FALSE(d.clickGrid(1, 1).limitReached);
    EXPECT_EQ(d.prediction().count(), 54);
}

TEST(SystemDocument, AChangeOfThePredictionDropsFixedSumAndGroupsOnly)
{
    SystemDocument d;
    clickNumbers(d, 1, 12);
    ConditionSet& c = d.conditions();
    c.salvaPresenze({3}, true);
    c.salvaSomma(true, 30, 40, 21, 57);
    c.salvaGruppi({Group{"-1-2", 1, 2}}, true);
    c.salvaPariDispari({2, 3}, true);
    c.salvaConsecutivi({0}, true);
    d.clickGrid(9, 9);
    EXPECT_FALSE(c.presenzeAttive || c.sommaAttiva || c.gruppiAttivi);
    EXPECT_TRUE(c.pariDispariAttivo && c.pariDispari[2] && c.consecutiviAttivo && c.consecutivi[0]);

    c.salvaPresenze({3}, true);
    d.deseleziona();
    EXPECT_EQ(d.prediction().count(), 0);
    EXPECT_FALSE(c.presenzeAttive);
    EXPECT_TRUE(c.pariDispariAttivo);
}

TEST(SystemDocument, APredictionGivenWholeReplacesTheOldOne)
{
    SystemDocument d;
    clickNumbers(d, 1, 12);
    d.conditions().salvaSomma(true, 30, 40, 21, 57);
    EXPECT_FALSE(d.setPrediction({5, 3, 9}));
    EXPECT_FALSE(d.setPrediction({1, 2, 3, 4, 5, 6, 7, 8, 9, 9}));
    EXPECT_FALSE(d.setPrediction({1, 2, 3, 4, 5, 6, 7, 8, 9, 91}));
    EXPECT_EQ(d.prediction().count(), 12);
    EXPECT_TRUE(d.conditions().sommaAttiva);

    EXPECT_TRUE(d.setPrediction({90, 80, 70, 60, 50, 40, 30, 20, 10, 5, 1}));
    EXPECT_EQ(d.prediction().count(), 11);
    EXPECT_TRUE(d.prediction().isSelected(90) && !d.prediction().isSelected(2));
    EXPECT_EQ(d.selection().sizeText, "11");
    EXPECT_FALSE(d.conditions().sommaAttiva);
}

TEST(SystemDocument, TheSizeFollowsTheCountFromTenOn)
{
    SystemDocument d;
    EXPECT_EQ(d.selection().sizeText, "10");
    EXPECT_EQ(d.selection().entryText(), "10 numeri sistema Integrale");
    d.selectSize("15");
    clickNumbers(d, 1, 8);
    EXPECT_FALSE(d.clickGrid(1, 9).sizeSelected);
    EXPECT_EQ(d.selection().sizeText, "15"); // below ten nothing moves
    EXPECT_TRUE(d.clickGrid(2, 2).sizeSelected);
    EXPECT_EQ(d.selection().sizeText, "10");
    d.selectType(3);
    EXPECT_EQ(d.selection().entryText(), "10 numeri ridotto n-1");
    const PlanOutcome reduced = d.plan(SESTARA_PROGRAM_DIR);
    ASSERT_TRUE(reduced.ok()) << reduced.refusal;
    EXPECT_EQ(reduced.plan.choice.level, 1);
    EXPECT_EQ(reduced.plan.totalCandidates, reduced.plan.stored.size());
    clickNumbers(d, 20, 21);
    EXPECT_EQ(d.selection().sizeText, "12");
    EXPECT_EQ(d.selection().typeIndex, 0);

    // Choosing a size again rebuilds its types and selects the first; a type out of range is ignored.
    d.selectType(2);
    d.selectSize("12");
    EXPECT_EQ(d.selection().typeIndex, 0);
    d.selectType(6);
    d.selectType(7);
    EXPECT_EQ(d.selection().typeIndex, 6);
    EXPECT_EQ(d.selection().entryText(), sestara::kVoceSuMisura); // every size's last type
    d.selectType(0);
    EXPECT_EQ(d.selection().typeIndex, 0);
    d.selectSize("9");
    EXPECT_TRUE(d.selection().types.empty());
    EXPECT_EQ(d.selection().entryText(), "");
}

TEST(SystemDocument, TheDevelopedSystemIsKeptAsItWasMade)
{
    SystemDocument d;
    EXPECT_EQ(d.developed(), nullptr);
    EXPECT_FALSE(d.interrupted());
    DevelopedSystem s;
    EXPECT_FALSE(hasColumns(nullptr) || hasColumns(&s));
    s.entryText = "12 numeri ridotto n-2";
    s.pronostico = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    s.conditions.salvaPariDispari({3}, true);
    auto development = std::make_shared<Development>();
    for (int k = 0; k < 7; ++k)
        development->append(Column{1, 2, 3, 4, 5, static_cast<std::uint8_t>(6 + k)});
    s.development = std::make_shared<Development>();
    EXPECT_FALSE(hasColumns(&s));
    s.development = development;
    d.setInterrupted();
    d.setDeveloped(s);
    EXPECT_FALSE(d.interrupted());
    // Editing the window's conditions afterwards does not touch what was developed.
    d.conditions().salvaPariDispari({4}, true);

    const DevelopedSystem* developed = d.developed();
    ASSERT_NE(developed, nullptr);
    EXPECT_TRUE(hasColumns(developed));
    EXPECT_EQ(developed->predictionText(), "1 2 3 4 5 6 7 8 9 10 11 12 ");
    const Costs costs = developed->costs(50);
    EXPECT_EQ(costs.columns, 7u);
    EXPECT_EQ(costs.fullCombinations, 924u);
    EXPECT_EQ(systemFileText(developed->savedSystem()),
              "Sistema=12 numeri ridotto n-2\r\nLista=1 2 3 4 5 6 7 8 9 10 11 12 \r\nPariDispari=3-\r\n");

    d.beginRun();
    EXPECT_EQ(d.developed(), nullptr);
    d.setDeveloped(s);
    d.setInterrupted();
    EXPECT_TRUE(d.interrupted());
    EXPECT_EQ(d.developed(), nullptr);
    d.beginRun();
    EXPECT_FALSE(d.interrupted());
}

TEST(SystemDocument, ALoadedSystemReplacesSelectionPredictionAndConditions)
{
    SystemDocument d;
    clickNumbers(d, 1, 20);
    d.conditions().salvaPariDispari({4}, true);
    d.conditions().salvaSomma(true, 30, 90, 21, 99);
    d.setInterrupted();

    const LoadOutcome read = readSystemFileText("Sistema=12 numeri ridotto n-2\r\n"
                                                "Lista=40 2 5 7 9 11 13 15 17 19 21 40 \r\n"
                                                "PariDispari=2-3-\r\nGruppi\r\n-2-5Punti1-2\r\n");
    ASSERT_TRUE(read.ok()) << read.error;
    d.load(read.system);

    EXPECT_EQ(d.selection().sizeText, "12");
    EXPECT_EQ(d.selection().entryText(), "12 numeri ridotto n-2");
    // The repeated 40 stays for the run's own check to refuse.
    EXPECT_EQ(d.prediction().text(), "2 5 7 9 11 13 15 17 19 21 40 40 ");
    EXPECT_EQ(d.conditions(), read.system.conditions);
    // The last run's outcome is left for the next run to replace.
    EXPECT_TRUE(d.interrupted());
    EXPECT_EQ(d.plan("").refusal, kMsgDatiNonConformi);
}

} // namespace
} // namespace sestara
