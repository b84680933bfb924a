#include "development/development.h"
#include "util/text.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace sestara;

TEST(Listing, LineBytes)
{
    EXPECT_EQ(listingLine(37, {3, 11, 25, 40, 62, 90}), "37\t>   3-11-25-40-62-90");
    EXPECT_EQ(listingLine(1, {10, 9, 8, 7, 6, 5}), "1\t>   10-9-8-7-6-5");
    EXPECT_EQ(listingLine(1623160, {30, 31, 32, 33, 34, 35}), "1623160\t>   30-31-32-33-34-35");
}

TEST(Listing, WholeListingNumbersFromOneWithCrLf)
{
    Development d;
    EXPECT_EQ(listingText(d), "");
    // Enough lines to cross the block size and every decimal carry up to 100000.
    const std::size_t count = Development::kBlockColumns + 40000;
    for (std::size_t k = 0; k < count; ++k)
        d.append(Column{static_cast<std::uint8_t>(1 + k % 80), 81, 82, 83, 84, static_cast<std::uint8_t>(85 + k % 6)});
    ASSERT_EQ(d.size(), count);
    std::ostringstream out;
    writeListing(out, d);
    const std::string text = out.str();
    EXPECT_EQ(text, listingText(d)) << "the fast writer and the line builder agree";
    std::istringstream in(text);
    std::string line;
    std::size_t k = 0;
    while (std::getline(in, line)) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        ++k;
        ASSERT_EQ(line, listingLine(k, d.column(k - 1)));
    }
    EXPECT_EQ(k, count);
    EXPECT_LE(d.memoryBytes(), count * 8) << "at most 8 bytes a column";
}

TEST(Listing, ParseLineBack)
{
    Column c{};
    ASSERT_TRUE(parseListingLine("37\t>   3-11-25-40-62-90", c));
    EXPECT_EQ(c, (Column{3, 11, 25, 40, 62, 90}));
    EXPECT_FALSE(parseListingLine("37\t   3-11-25-40-62-90", c));
    EXPECT_FALSE(parseListingLine("37\t>   3-11-25-40-62", c));
    EXPECT_FALSE(parseListingLine("37\t>   3-11-25-40-62-91", c));
}

TEST(TextHelpers, NumericValueAndGrouping)
{
    EXPECT_EQ(numericValue("120 "), 120);
    EXPECT_EQ(numericValue("12-"), 12);
    EXPECT_EQ(numericValue("  7x"), 7);
    EXPECT_EQ(numericValue("x7"), 0);
    EXPECT_EQ(numericValue(""), 0);
    EXPECT_EQ(numericValue("99999999999999999999999"), INT64_MAX);
    EXPECT_EQ(groupedInteger(1623160, '.'), "1.623.160");
    EXPECT_EQ(groupedInteger(924, '.'), "924");
    EXPECT_EQ(groupedInteger(0, '.'), "0");
    EXPECT_EQ(groupedInteger(-28989675, ','), "-28,989,675");
}
