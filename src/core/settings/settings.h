#pragma once

namespace sestara {

// The settings every system window reads. They hold the shipped defaults until the settings file
// has been read.
struct Settings {
    // Price of one column in euro cents.
    int costoColonna = 50;
};

} // namespace sestara
