#include "development/catalogue.h"

#include <gtest/gtest.h>

#include <map>

using namespace sestara;

TEST(Catalogue, CountsPerSizeAndTotal)
{
    EXPECT_EQ(catalogueEntries().size(), 161u);
    const std::map<int, std::size_t> expected = {{10, 6}, {11, 5}, {18, 5}, {19, 5}, {20, 4}, {21, 4}, {22, 5}};
    for (int n = 10; n <= 55; ++n) {
        std::size_t want;
        if (expected.count(n))
            want = expected.at(n);
        else if (n >= 12 && n <= 17)
            want = 6;
        else if (n <= 35)
            want = 4;
        else if (n <= 39)
            want = 3;
        else if (n <= 50)
            want = 2;
        else
            want = 1;
        EXPECT_EQ(catalogueEntriesForSize(n).size(), want) << "size " << n;
    }
    EXPECT_TRUE(catalogueEntriesForSize(9).empty());
    EXPECT_TRUE(catalogueEntriesForSize(56).empty());
    EXPECT_EQ(immediateEntries().size(), 18u);
}

TEST(Catalogue, ExactTextsAndOrder)
{
    const std::vector<std::string> ten = {
        "10 numeri sistema Integrale",
        "10 numeri in 20 sestine a garanzia quattro con 4 estratti",
        "10 numeri in 10 sestine a garanzia tre con 3 estratti",
        "10 numeri ridotto n-1",
        "10 numeri ridotto n-2",
        "10 numeri ridotto n-3",
    };
    EXPECT_EQ(catalogueEntriesForSize(10), ten);
    EXPECT_EQ(catalogueEntriesForSize(11)[1], "11 numeri in 5 sestine a garanzia tre con 4 estratti");
    EXPECT_EQ(catalogueEntriesForSize(13)[1], "13 numeri in 21 sestine a garanzia tre con 3 estratti");
    EXPECT_EQ(catalogueEntriesForSize(17)[2], "17 numeri in 20 sestine a garanzia tre con 4 estratti");
    const std::vector<std::string> twentyTwo = {
        "22 numeri sistema Integrale", "22 numeri in 77 sestine a garanzia tre con 3 estratti",
        "22 numeri ridotto n-1", "22 numeri ridotto n-2", "22 numeri ridotto n-3"};
    EXPECT_EQ(catalogueEntriesForSize(22), twentyTwo);
    const std::vector<std::string> thirtySix = {"36 numeri ridotto n-1", "36 numeri ridotto n-2",
                                                "36 numeri ridotto n-3"};
    EXPECT_EQ(catalogueEntriesForSize(36), thirtySix);
    EXPECT_EQ(catalogueEntriesForSize(20).size(), 4u);
    EXPECT_EQ(catalogueEntriesForSize(40).front(), "40 numeri ridotto n-2");
    EXPECT_EQ(catalogueEntriesForSize(51).front(), "51 numeri ridotto n-3");
    EXPECT_EQ(catalogueEntriesForSize(55), std::vector<std::string>{"55 numeri ridotto n-3"});
    EXPECT_EQ(catalogueEntries().front(), "10 numeri sistema Integrale");
    EXPECT_EQ(catalogueEntries().back(), "55 numeri ridotto n-3");
}

TEST(Catalogue, SizeTextIsComparedExactly)
{
    EXPECT_EQ(catalogueEntriesForSizeText("12").size(), 6u);
    EXPECT_TRUE(catalogueEntriesForSizeText("012").empty());
    EXPECT_TRUE(catalogueEntriesForSizeText(" 12").empty());
    EXPECT_TRUE(catalogueEntriesForSizeText("").empty());
    EXPECT_EQ(catalogueSizes().size(), 46u);
    EXPECT_EQ(catalogueSizes().front(), "10");
    EXPECT_EQ(catalogueSizes().back(), "55");
}

TEST(Catalogue, DeveloperChoice)
{
    auto kind = [](int index, int count, const std::string& text) { return chooseDeveloper(index, count, text); };
    EXPECT_EQ(kind(0, 35, "35 numeri sistema Integrale").kind, DeveloperKind::Integrale);
    const DeveloperChoice first36 = kind(0, 36, "36 numeri ridotto n-1");
    EXPECT_EQ(first36.kind, DeveloperKind::Ridotti);
    EXPECT_EQ(first36.level, 1);
    EXPECT_EQ(kind(0, 45, "45 numeri ridotto n-2").level, 2);
    const DeveloperChoice reduced = kind(3, 12, "12 numeri ridotto n-2");
    EXPECT_EQ(reduced.kind, DeveloperKind::Ridotti);
    EXPECT_EQ(reduced.level, 2);
    EXPECT_EQ(kind(1, 12, "12 numeri in 24 sestine a garanzia tre con 3 estratti").kind, DeveloperKind::Immediati);
    EXPECT_EQ(frameCaptionForEntry("36 numeri ridotto n-1"), "Sistemi disponibili con 36 numeri");
}
