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

// Text the user wrote, repeated in a message: at most `maxChars` characters, "..." when cut. Tabs
// and other blanks show as a blank and UTF-8 letters as themselves; what cannot be shown (control
// characters, bytes that are not UTF-8, invisible marks that reorder or hide text) is written as
// \xNN, byte by byte.
std::string readableEcho(std::string_view text, std::size_t maxChars = 40);

// A file's bytes as UTF-8: a file that starts with the byte-order mark of UTF-16 (either byte
// order) is converted, without the mark; any other file is returned as it is.
std::string utf8Text(std::string bytes);

} // namespace sestara
