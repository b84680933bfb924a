#include "core/util/text.h"

#include <algorithm>
#include <limits>

namespace sestara {

std::int64_t numericValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > limit)
            return std::numeric_limits<std::int64_t>::max();
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::vector<std::string_view> splitAll(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t pos = text.find(separator, start);
        if (pos == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::string_view chompCr(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

void appendDecimal(std::string& out, std::uint64_t value)
{
    char buf[24];
    int n = 0;
    do {
        buf[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0)
        out.push_back(buf[--n]);
}

namespace {

// The length of the UTF-8 character at `i` and its code point, or 0 when the bytes there are not one.
std::size_t utf8Char(std::string_view text, std::size_t i, char32_t& cp)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    std::size_t len = 0;
    if (c >= 0xc2 && c <= 0xdf)
        len = 2, cp = c & 0x1f;
    else if (c >= 0xe0 && c <= 0xef)
        len = 3, cp = c & 0x0f;
    else if (c >= 0xf0 && c <= 0xf4)
        len = 4, cp = c & 0x07;
    if (len == 0 || i + len > text.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xc0) != 0x80)
            return 0;
        cp = cp << 6 | (byte(i + k) & 0x3f);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xd800 && cp <= 0xdfff;
    return overlong || surrogate || cp > 0x10ffff ? 0 : len;
}

bool isUnicodeBlank(char32_t cp)
{
    return cp == 0xa0 || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200a) || cp == 0x202f || cp == 0x205f ||
           cp == 0x3000;
}

// Characters a message cannot show faithfully: C1 controls, line separators, zero-width and
// direction marks (which can make a line read as another).
bool isHidden(char32_t cp)
{
    return (cp >= 0x80 && cp <= 0x9f) || (cp >= 0x200b && cp <= 0x200f) || (cp >= 0x2028 && cp <= 0x202e) ||
           (cp >= 0x2060 && cp <= 0x206f) || cp == 0xfeff;
}

void appendEscaped(std::string& out, unsigned char c)
{
    static const char hex[] = "0123456789abcdef";
    out += "\\x";
    out += hex[c >> 4];
    out += hex[c & 15];
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xc0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3f));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xe0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3f));
        out += static_cast<char>(0x80 | (cp & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3f));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3f));
        out += static_cast<char>(0x80 | (cp & 0x3f));
    }
}

} // namespace

std::string readableEcho(std::string_view text, std::size_t maxChars)
{
    std::string out;
    std::size_t i = 0;
    for (std::size_t shown = 0; i < text.size() && shown < maxChars; ++shown) {
        const auto c = static_cast<unsigned char>(text[i]);
        char32_t cp = 0;
        const std::size_t len = c < 0x80 ? 1 : utf8Char(text, i, cp);
        if (c == '\t' || c == '\v' || c == '\f' || (len > 1 && isUnicodeBlank(cp))) {
            out += ' ';
        } else if (len == 0 || c < 0x20 || c == 0x7f || (len > 1 && isHidden(cp))) {
            for (std::size_t k = 0; k < std::max<std::size_t>(len, 1); ++k)
                appendEscaped(out, static_cast<unsigned char>(text[i + k]));
        } else {
            out.append(text.substr(i, len));
        }
        i += std::max<std::size_t>(len, 1);
    }
    if (i < text.size())
        out += "...";
    return out;
}

std::string utf8Text(std::string bytes)
{
    const bool little = bytes.compare(0, 2, "\xFF\xFE") == 0;
    if (!little && bytes.compare(0, 2, "\xFE\xFF") != 0)
        return bytes;
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(little ? a | b << 8 : a << 8 | b);
    };
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xd800 && cp <= 0xdbff && i + 3 < bytes.size() && unit(i + 2) >= 0xdc00 && unit(i + 2) <= 0xdfff) {
            cp = 0x10000 + ((cp - 0xd800) << 10) + (unit(i + 2) - 0xdc00);
            i += 2;
        } else if (cp >= 0xd800 && cp <= 0xdfff) {
            cp = 0xfffd; // half of a pair: shown as the replacement character
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string_view withoutByteOrderMark(std::string_view text)
{
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    return text.substr(0, kMark.size()) == kMark ? text.substr(kMark.size()) : text;
}

} // namespace sestara
