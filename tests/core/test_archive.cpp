#include "core/systemfiles/archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sestara;

TEST(Archive, NamesSortAsAPersonReadsThem)
{
    std::vector<std::string> names = {"sistema10.sup", "Sistema2.sup", "b.sup",     "sistema1.sup",
                                      "A.sup",         "10.sup",   "9.sup",
                                      "a.sup",         "x 100 y.sup",   "x 20 y.sup", "sistema.sup"};
    sortNaturally(names);
    const std::vector<std::string> expected = {"9.sup",         "10.sup",        "A.sup",        "a.sup",
                                               "b.sup",         "sistema.sup",   "sistema1.sup",
                                               "Sistema2.sup",  "sistema10.sup", "x 20 y.sup",   "x 100 y.sup"};
    EXPECT_EQ(names, expected);
}

TEST(Archive, CompareIsATotalOrder)
{
    // Equal values and letters differ only by zeros or case: still ordered, and never equal.
    EXPECT_EQ(naturalCompare("s2", "s02"), 1);
    EXPECT_EQ(naturalCompare("s02", "s2"), -1);
    EXPECT_EQ(naturalCompare("S1", "s1"), -1);
    EXPECT_EQ(naturalCompare("abc", "abc"), 0);
    // Zeros alone are a value too; a very long run is compared without overflowing.
    EXPECT_EQ(naturalCompare("r0", "r00"), -1);
    EXPECT_EQ(naturalCompare("n99999999999999999999999", "n100000000000000000000000"), -1);
    // A shorter name that is a prefix comes first; a digit comes before a letter.
    EXPECT_TRUE(naturalLess("sistema", "sistema1"));
    EXPECT_TRUE(naturalLess("a1", "aa"));
    EXPECT_FALSE(naturalLess("abc", "abc"));
}

TEST(Archive, SystemFileNamesEndInSupInAnyCase)
{
    EXPECT_TRUE(isSystemFileName("a.sup"));
    EXPECT_TRUE(isSystemFileName("Sistema 10.SUP"));
    EXPECT_TRUE(isSystemFileName("x.Sup"));
    EXPECT_FALSE(isSystemFileName(".sup"));
    EXPECT_FALSE(isSystemFileName("a.sup.txt"));
    EXPECT_FALSE(isSystemFileName("a.su"));
    EXPECT_FALSE(isSystemFileName("asup"));
    EXPECT_FALSE(isSystemFileName(""));
}
