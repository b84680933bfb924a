#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sestara {

// The numeric value of a text: its leading decimal digits after any leading blanks; 0 without them.
// Values beyond the range of int64 saturate.
std::int64_t numericValue(std::string_view text);

// Whether the text is a non-empty run of decimal digits only.
bool isDigits(std::string_view text);

// Splits at every occurrence of the separator; empty pieces are kept.
std::vector<std::string_view> splitAll(std::string_view text, char separator);

// Removes one trailing carriage return (a line read from a CR LF file).
std::string_view chompCr(std::string_view line);

// Appends the decimal text of a non-negative value.
void appendDecimal(std::string& out, std::uint64_t value);

// The text without the UTF-8 byte-order mark some editors put first.
std::string_view withoutByteOrderMark(std::string_view text);

// Text the user wrote, repeated in a message: at most `maxChars` characters, "..." when cut, and
// control characters and bytes outside ASCII written as \xNN so that the message stays readable.
std::string readableEcho(std::string_view text, std::size_t maxChars = 40);

} // namespace sestara
