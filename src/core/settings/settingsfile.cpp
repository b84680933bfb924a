#include "core/settings/settingsfile.h"

#include "core/util/files.h"
#include "core/util/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace sestara {

namespace {

// The keys in the order a line is tested against them.
enum Key { Costocolonna, Spoglio, Ritardatari, SuperPunto, Margine2sup, Margine2sin, Costosuperstar, KeyCount };

constexpr std::string_view kKeys[KeyCount] = {"Costocolonna", "Spoglio",     "Ritardatari",   "SuperPunto",
                                             "Margine2sup",  "Margine2sin", "Costosuperstar"};

// A key that older files lack: its line is optional, and a save adds it only for a value other
// than the default, so such a file is rewritten as before.
bool isOptional(Key key)
{
    return key == Costosuperstar;
}

constexpr SettingRange kRitardatariRange{std::numeric_limits<std::int16_t>::min(),
                                         std::numeric_limits<std::int16_t>::max()};

constexpr std::size_t kMaxFileBytes = 1 << 20;

// The key a line belongs to, or KeyCount for none.
Key keyOf(std::string_view line)
{
    for (int k = 0; k < KeyCount; ++k)
        if (line.substr(0, kKeys[k].size()) == kKeys[k])
            return static_cast<Key>(k);
    return KeyCount;
}

// The value starts after the key and one separator character.
std::string_view valueOf(std::string_view line, Key key)
{
    const std::size_t at = kKeys[key].size() + 1;
    return at < line.size() ? line.substr(at) : std::string_view();
}

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines = splitAll(text, '\n');
    // The text's last line break ends its last line rather than starting an empty one.
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    for (std::string_view& line : lines)
        line = chompCr(line);
    return lines;
}

std::string_view trimBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A decimal number with an optional sign and a point or a comma before its decimals, blanks
// around it allowed.
std::optional<double> parseNumber(std::string_view text)
{
    text = trimBlanks(text);
    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            plain += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            plain += c;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
            plain += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

std::string numberText(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string rangeText(SettingRange range)
{
    return "è fuori dall'intervallo da " + std::to_string(range.minimum) + " a " + std::to_string(range.maximum);
}

// The value a save writes for the key.
std::string settingText(Key key, const Settings& settings)
{
    switch (key) {
    case Costocolonna:
        return numberText(settings.costoColonna);
    case Spoglio:
        return settings.spoglio;
    case Ritardatari:
        return std::to_string(settings.ritardatari);
    case SuperPunto:
        return std::to_string(settings.superPunto);
    case Margine2sup:
        return std::to_string(settings.margine2sup);
    case Margine2sin:
        return std::to_string(settings.margine2sin);
    case Costosuperstar:
        return std::to_string(settings.costoSuperStar);
    case KeyCount:
        break;
    }
    return "";
}

struct Problem {
    std::size_t line; // 1-based; 0 for a key with no line
    std::string text;
};

} // namespace

double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

SettingsReading readSettingsText(std::string_view file)
{
    const std::string_view text = withoutByteOrderMark(file);
    // The last line of each key, 1-based; 0 while the key has none.
    std::size_t lineOf[KeyCount] = {};
    std::string_view valueText[KeyCount];
    const std::vector<std::string_view> lines = linesOf(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Key key = keyOf(lines[i]);
        if (key == KeyCount)
            continue;
        lineOf[key] = i + 1;
        valueText[key] = valueOf(lines[i], key);
    }

    const Settings predefiniti;
    SettingsReading out;
    out.settings = Settings{0, 0, 0, 0, std::string(valueText[Spoglio]), 0};
    std::vector<Problem> problems;

    // A numeric setting: its value rounded for the check (and, except the price, for keeping).
    const auto number = [&](Key key, SettingRange range, const auto& keep, const auto& keepDefault) {
        if (lineOf[key] == 0 && isOptional(key)) {
            keepDefault();
            return;
        }
        const std::string where = lineOf[key] == 0
                                      ? quoted(kKeys[key]) + " manca: il valore 0 "
                                      : "riga " + std::to_string(lineOf[key]) + ", " + quoted(kKeys[key]) +
                                            ": il valore ";
        if (lineOf[key] == 0) {
            if (range.minimum > 0 || range.maximum < 0) {
                problems.push_back({0, where + rangeText(range)});
                keepDefault();
            }
            return;
        }
        const std::optional<double> value = parseNumber(valueText[key]);
        if (!value) {
            problems.push_back({lineOf[key], where + quoted(valueText[key]) + " non è un numero"});
            keepDefault();
            return;
        }
        const double rounded = roundHalfEven(*value);
        if (rounded < range.minimum || rounded > range.maximum) {
            problems.push_back({lineOf[key], where + std::string(trimBlanks(valueText[key])) + " " + rangeText(range)});
            keepDefault();
            return;
        }
        keep(*value, static_cast<int>(rounded));
    };
    Settings& s = out.settings;
    number(
        Costocolonna, kCostoColonnaRange, [&](double v, int) { s.costoColonna = v; },
        [&] { s.costoColonna = predefiniti.costoColonna; });
    number(
        Ritardatari, kRitardatariRange, [&](double, int v) { s.ritardatari = static_cast<std::int16_t>(v); },
        [&] { s.ritardatari = 0; });
    number(
        SuperPunto, kSuperPuntoRange, [&](double, int v) { s.superPunto = v; },
        [&] { s.superPunto = predefiniti.superPunto; });
    number(
        Margine2sup, kMargineRange, [&](double, int v) { s.margine2sup = v; },
        [&] { s.margine2sup = predefiniti.margine2sup; });
    number(
        Margine2sin, kMargineRange, [&](double, int v) { s.margine2sin = v; },
        [&] { s.margine2sin = predefiniti.margine2sin; });
    number(
        Costosuperstar, kCostoSuperStarRange, [&](double, int v) { s.costoSuperStar = v; },
        [&] { s.costoSuperStar = predefiniti.costoSuperStar; });

    // The first problem in the file's order; missing keys after every line.
    const auto order = [](const Problem& p) { return p.line == 0 ? std::numeric_limits<std::size_t>::max() : p.line; };
    const auto first = std::min_element(problems.begin(), problems.end(),
                                        [&](const Problem& a, const Problem& b) { return order(a) < order(b); });
    if (first != problems.end())
        out.problem = first->text;
    // An empty or binary file: one message for the whole file, not the first key it lacks.
    if (std::all_of(std::begin(lineOf), std::begin(lineOf) + Costosuperstar, [](std::size_t line) { return line == 0; }))
        out.problem = "il file non contiene alcuna impostazione";
    return out;
}

std::string rewriteSettingsText(std::string_view text, const Settings& settings)
{
    std::string out;
    out.reserve(text.size() + 64);
    bool superStarLine = false;
    // A byte-order mark would hide the key of the first line; the file is written without it. A
    // second mark is the first line's own text: the first mark then stays to keep it so, or the
    // next reading would skip the second and take the line for a key.
    const std::string_view body = withoutByteOrderMark(text);
    if (body.size() < text.size() && withoutByteOrderMark(body).size() < body.size())
        out = text.substr(0, text.size() - body.size());
    for (std::string_view line : linesOf(body)) {
        const Key key = keyOf(line);
        superStarLine = superStarLine || key == Costosuperstar;
        if (key == KeyCount) {
            out += line;
        } else {
            // A key line without a separator gets one, so the value is read back where it was written.
            out += line.size() > kKeys[key].size() ? line.substr(0, kKeys[key].size() + 1)
                                                   : std::string(kKeys[key]) + "=";
            out += settingText(key, settings);
        }
        out += "\r\n";
    }
    if (!superStarLine && settings.costoSuperStar != Settings().costoSuperStar)
        out += std::string(kKeys[Costosuperstar]) + "=" + settingText(Costosuperstar, settings) + "\r\n";
    return out;
}

SettingsReading loadSettingsFile(const std::string& path)
{
    const FileContents file = readRegularFile(path, kMaxFileBytes);
    if (!file.ok()) {
        SettingsReading out;
        out.problem = "impossibile leggere il file " + quoted(path) + ": " + file.error;
        return out;
    }
    return readSettingsText(file.bytes);
}

std::string saveSettingsFile(const std::string& path, const Settings& settings)
{
    const FileContents file = readRegularFile(path, kMaxFileBytes);
    if (!file.ok())
        return "impossibile leggere il file " + quoted(path) + ": " + file.error;
    std::string text = rewriteSettingsText(file.bytes, settings);
    // A damaged file is repaired: every key it lacks gets its line, so that it reads back whole.
    if (!readSettingsText(file.bytes).ok()) {
        bool present[KeyCount] = {};
        for (std::string_view line : linesOf(withoutByteOrderMark(file.bytes)))
            if (const Key key = keyOf(line); key != KeyCount)
                present[key] = true;
        for (int k = 0; k < KeyCount; ++k)
            if (!present[k] && !isOptional(static_cast<Key>(k)))
                text += std::string(kKeys[k]) + "=" + settingText(static_cast<Key>(k), settings) + "\r\n";
    }
    const std::string error = writeFileAtomically(path, text);
    if (!error.empty())
        return "impossibile salvare il file " + quoted(path) + ": " + error;
    return "";
}

} // namespace sestara
