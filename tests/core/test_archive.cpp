#include "core/systemfiles/archive.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace sestara;

TEST(Archive, NamesSortAsAPersonReadsThem)
{
    std::vector<std::string> names = {"sistema10.sup", "Sistema2.sup", "b.sup", "sistema1.sup", "A.sup",      "10.sup",
                                      "9.sup",         "a.sup",        "x 100 y.sup", "x 20 y.sup", "sistema.sup"};
    sortNaturally(names);
    EXPECT_EQ(names, (std::vector<std::string>{"9.sup", "10.sup", "A.sup", "a.sup", "b.sup", "sistema.sup",
                                               "sistema1.sup", "Sistema2.sup", "sistema10.sup", "x 20 y.sup",
                                               "x 100 y.sup"}));
}

TEST(Archive, CompareIsATotalOrder)
{
    // Equal values and letters differ only by zeros or case: still ordered, and never equal. Zeros alone
    // are a value too; a very long run is compared without overflowing. A shorter name that is a prefix
    // comes first, a view that ends inside a longer text too, and its digits end with it; a digit comes
    // before a letter.
    const std::tuple<std::string_view, std::string_view, int> cases[] = {
        {"s2", "s02", 1}, {"S1", "s1", -1}, {"abc", "abc", 0}, {"r0", "r00", -1}, {"sistema", "sistema1", -1},
        {"n99999999999999999999999", "n100000000000000000000000", -1}, {"a1", "aa", -1}, {"AZ2", "az1", 1},
        {"s2a", "s02b", -1}, {std::string_view("abz").substr(0, 2), "abc", -1},
        {std::string_view("a12").substr(0, 2), "a1", 0}};
    for (const auto& [a, b, order] : cases) {
        SCOPED_TRACE(std::string(a) + " | " + std::string(b));
        EXPECT_EQ(naturalCompare(a, b), order);
        EXPECT_EQ(naturalCompare(b, a), -order);
        EXPECT_EQ(naturalLess(a, b), order < 0);
    }
}

TEST(Archive, SystemFileNamesEndInSupInAnyCase)
{
    for (const char* name : {"a.sup", "Sistema 10.SUP", "x.Sup"})
        EXPECT_TRUE(isSystemFileName(name)) << name;
    for (const char* name : {".sup", "a.sup.txt", "a.su", "asup", ""})
        EXPECT_FALSE(isSystemFileName(name)) << name;
}
