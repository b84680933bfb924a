#include "core/development/development.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

using namespace sestara;

TEST(Listing, LineBytes)
{
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
    std::ostringstream out;
    writeListing(out, d);
    const std::string text = out.str();
    EXPECT_EQ(text, listingText(d)) << "the fast writer and the line builder agree";
    std::istringstream in(text);
    std::string line;
    std::size_t k = 0;
    while (std::getline(in, line)) {
        ++k;
        ASSERT_EQ(line, listingLine(k, d.column(k - 1)) + "\r");
    }
    EXPECT_EQ(k, count);
    EXPECT_LE(d.memoryBytes(), count * 8) << "at most 8 bytes a column";
}

TEST(TextHelpers, NumericValue)
{
    const std::pair<const char*, std::int64_t> values[] = {
        {"120 ", 120}, {"12-", 12}, {"  7x", 7}, {"x7", 0}, {"", 0}, {"99999999999999999999999", INT64_MAX}};
    for (const auto& [text, value] : values)
        EXPECT_EQ(numericValue(text), value) << '"' << text << '"';
}
