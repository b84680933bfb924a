#include "core/development/catalogue.h"

#include <gtest/gtest.h>

using namespace sestara;

using Texts = std::vector<std::string>;

TEST(Catalogue, EntriesPerSizeInOrder)
{
    // Entries per size from 10 to 55, and none outside.
    const std::size_t perSize[] = {6, 5, 6, 6, 6, 6, 6, 6, 5, 5, 4, 4, 5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
                                   4, 4, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1};
    for (int n = 10; n <= 55; ++n)
        EXPECT_EQ(catalogueEntriesForSize(n).size(), perSize[n - 10]) << n;
    EXPECT_TRUE(catalogueEntriesForSize(9).empty());
    EXPECT_TRUE(catalogueEntriesForSize(56).empty());
    EXPECT_FALSE(reducedSystemOffered(10, 0) || reducedSystemOffered(10, 4));

    EXPECT_EQ(catalogueEntriesForSize(10),
              (Texts{"10 numeri sistema Integrale", "10 numeri in 20 sestine a garanzia quattro con 4 estratti",
                     "10 numeri in 10 sestine a garanzia tre con 3 estratti", "10 numeri ridotto n-1",
                     "10 numeri ridotto n-2", "10 numeri ridotto n-3"}));
    EXPECT_EQ(catalogueEntriesForSize(11)[1], "11 numeri in 5 sestine a garanzia tre con 4 estratti");
}

TEST(Catalogue, SizeTextIsComparedExactly)
{
    EXPECT_EQ(catalogueEntriesForSizeText("12").size(), 6u);
    EXPECT_EQ(catalogueEntriesForSizeText("55").size(), 1u);
    for (const char* text : {"012", " 12", "12 ", ""})
        EXPECT_TRUE(catalogueEntriesForSizeText(text).empty()) << '"' << text << '"';
    const Texts sizes = catalogueSizes();
    ASSERT_EQ(sizes.size(), 46u);
    EXPECT_EQ(sizes.front(), "10");
    EXPECT_EQ(sizes.back(), "55");
}

TEST(Catalogue, DeveloperChoice)
{
    // From 36 numbers the first entry is reduced; the level is read from the text.
    EXPECT_EQ(chooseDeveloper(0, 35, "35 numeri sistema Integrale").kind, DeveloperKind::Integrale);
    EXPECT_EQ(chooseDeveloper(1, 12, "12 numeri in 24 sestine a garanzia tre con 3 estratti").kind,
              DeveloperKind::Immediati);
    const std::pair<DeveloperChoice, int> reduced[] = {{chooseDeveloper(0, 36, "36 numeri ridotto n-1"), 1},
                                                       {chooseDeveloper(0, 45, "45 numeri ridotto n-2"), 2},
                                                       {chooseDeveloper(3, 12, "12 numeri ridotto n-1"), 1}};
    for (const auto& [choice, level] : reduced) {
        EXPECT_EQ(choice.kind, DeveloperKind::Ridotti);
        EXPECT_EQ(choice.level, level);
    }
    EXPECT_EQ(frameCaptionForEntry("36 numeri ridotto n-1"), "Sistemi disponibili con 36 numeri");
}
