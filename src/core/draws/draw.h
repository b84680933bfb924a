#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sestara {

// One draw of the archive. A date is held as the number YYYYMMDD, so dates compare as numbers.
struct Draw {
    int date = 0;
    int concorso = 0;                     // 0 when not known
    std::array<std::uint8_t, 6> numbers{}; // in the order given
    std::uint8_t jolly = 0;
    std::uint8_t superstar = 0; // 0 when not known

    // The six numbers and the jolly as the win check takes a drawn list: the jolly seventh.
    std::vector<int> drawnList() const;
    // Whether the draw holds the number among its six.
    bool holds(int number) const;
};

// Whether two draws agree on the six numbers (in any order) and the jolly, and on the superstar
// when both know it.
bool sameNumbers(const Draw& a, const Draw& b);

// "YYYY-MM-DD", as files keep a date.
std::string dateText(int date);

// "DD/MM/YYYY", as the player reads a date.
std::string playerDate(int date);

// Today's date on this computer, as YYYYMMDD.
int todayDate();

// A date written as DD/MM/YYYY, DD-MM-YYYY or YYYY-MM-DD (day and month of one or two digits, the
// year of four from 1900 on), or 0 when the text is no such date or names no day of the calendar.
int parseDate(std::string_view text);

// Only the form YYYY-MM-DD, or 0.
int parseIsoDate(std::string_view text);

// The archive's line of a draw, without the line end:
// concorso;YYYY-MM-DD;n1;n2;n3;n4;n5;n6;jolly;superstar, concorso and superstar empty when not known.
std::string archiveLine(const Draw& draw);
// The fields after the date that every written form of a draw shares: ";n1;…;n6;jolly;superstar"
// (the superstar empty when unknown).
void appendDrawNumbers(std::string& out, const Draw& draw);

} // namespace sestara
