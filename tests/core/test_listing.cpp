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

TEST(TextHelpers, ReadableEchoAndUtf16)
{
    // Blanks as blanks and letters as themselves; controls, stray bytes and direction marks escaped.
    const std::pair<std::string, std::string> echoes[] = {
        {"a\tb\vc\xC2\xA0" "d\xE2\x80\x83" "e", "a b c d e"},
        {"citt\xC3\xA0 \xE2\x82\xAC \xF0\x9F\x8E\xB2", "citt\xC3\xA0 \xE2\x82\xAC \xF0\x9F\x8E\xB2"},
        {"\x1b[2J\x7f\xe8\xC2\x85\xE2\x80\xAE" "x\xC3", "\\x1b[2J\\x7f\\xe8\\xc2\\x85\\xe2\\x80\\xaex\\xc3"},
        {"\xED\xA0\x80\xE0\x80\x80", "\\xed\\xa0\\x80\\xe0\\x80\\x80"},
    };
    for (const auto& [text, echo] : echoes)
        EXPECT_EQ(readableEcho(text), echo) << text;
    EXPECT_EQ(readableEcho("\xC3\xA0\xC3\xA0\xC3\xA0", 2), "\xC3\xA0\xC3\xA0...") << "characters, not bytes";

    const std::pair<std::string, std::string> files[] = {
        {std::string("\xFF\xFE" "1\0;\0\xE0\0\r\0\n\0\x3C\xD8\xB2\xDF\x00\xD8", 18), "1;\xC3\xA0\r\n\xF0\x9F\x8E\xB2\xEF\xBF\xBD"},
        {std::string("\xFE\xFF\0" "1\x20\xAC\0", 7), "1\xE2\x82\xAC"},
        {"\xFF" "1", "\xFF" "1"},
    };
    for (const auto& [bytes, text] : files)
        EXPECT_EQ(utf8Text(bytes), text);
}
