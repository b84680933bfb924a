#include "core/draws/draw.h"

#include "core/util/text.h"

#include <algorithm>
#include <ctime>

namespace sestara {

std::vector<int> Draw::drawnList() const
{
    std::vector<int> list(numbers.begin(), numbers.end());
    list.push_back(jolly);
    return list;
}

bool Draw::holds(int number) const
{
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

bool sameNumbers(const Draw& a, const Draw& b)
{
    std::array<std::uint8_t, 6> x = a.numbers;
    std::array<std::uint8_t, 6> y = b.numbers;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    const bool superstarAgrees = a.superstar == 0 || b.superstar == 0 || a.superstar == b.superstar;
    return x == y && a.jolly == b.jolly && superstarAgrees;
}

namespace {

void appendTwoDigits(std::string& out, int value)
{
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

} // namespace

std::string dateText(int date)
{
    std::string out = std::to_string(date / 10000) + '-';
    appendTwoDigits(out, date / 100 % 100);
    out += '-';
    appendTwoDigits(out, date % 100);
    return out;
}

std::string playerDate(int date)
{
    std::string out;
    appendTwoDigits(out, date % 100);
    out += '/';
    appendTwoDigits(out, date / 100 % 100);
    return out + '/' + std::to_string(date / 10000);
}

int todayDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

namespace {

int daysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

int dateOf(std::string_view year, std::string_view month, std::string_view day)
{
    if (year.size() != 4 || month.empty() || month.size() > 2 || day.empty() || day.size() > 2 || !isDigits(year) ||
        !isDigits(month) || !isDigits(day))
        return 0;
    const int y = static_cast<int>(numericValue(year));
    const int m = static_cast<int>(numericValue(month));
    const int d = static_cast<int>(numericValue(day));
    if (y < 1900 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m))
        return 0;
    return y * 10000 + m * 100 + d;
}

} // namespace

int parseDate(std::string_view text)
{
    for (const char separator : {'/', '-'}) {
        const std::vector<std::string_view> parts = splitAll(text, separator);
        if (parts.size() != 3)
            continue;
        if (separator == '-' && parts[0].size() == 4)
            return dateOf(parts[0], parts[1], parts[2]);
        return dateOf(parts[2], parts[1], parts[0]);
    }
    return 0;
}

int parseIsoDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return 0;
    return dateOf(text.substr(0, 4), text.substr(5, 2), text.substr(8, 2));
}

void appendDrawNumbers(std::string& out, const Draw& draw)
{
    for (std::uint8_t n : draw.numbers)
        out += ';' + std::to_string(n);
    out += ';' + std::to_string(draw.jolly) + ';';
    if (draw.superstar > 0)
        out += std::to_string(draw.superstar);
}

std::string archiveLine(const Draw& draw)
{
    std::string line;
    if (draw.concorso > 0)
        line += std::to_string(draw.concorso);
    line += ';' + dateText(draw.date);
    appendDrawNumbers(line, draw);
    return line;
}

} // namespace sestara
