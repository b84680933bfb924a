#pragma once

#include <cstdint>
#include <string>

namespace sestara {

// The settings every system window reads: the price of a column, the size of a slip mark and the
// printer's offsets. They hold the shipped defaults until the settings file has been read.
struct Settings {
    // Price of one column in euro cents: 1,00 euro since February 2016.
    double costoColonna = 100;
    // Size of a slip mark: the screen pen is half of it in pixels, the printer pen three times it
    // in printer dots.
    int superPunto = 16;
    // Printer offsets from the top and from the left, in hundredths of a centimetre.
    int margine2sup = 30;
    int margine2sin = 35;
    // Kept for other programs sharing the file and written back as read.
    std::string spoglio;
    std::int16_t ritardatari = 0;
    // What SuperStar adds to the price of every column of a play that has one, in euro cents.
    // Files written before SuperStar lack its line and get this value.
    int costoSuperStar = 50;
};

} // namespace sestara
