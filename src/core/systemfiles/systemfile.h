#pragma once

#include "core/conditions/conditionset.h"
#include "core/development/customdesign.h"
#include "core/development/prediction.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sestara {

extern const char* const kMsgErroreCaricamento;

// What a developed system leaves to be saved: the developed entry, the prediction it was developed
// from, and the conditions in force for that development.
struct SavedSystem {
    std::string entryText;
    std::vector<std::uint8_t> pronostico;
    ConditionSet conditions;
    // A design the window held (made to measure): its columns, one record each, so that the file
    // alone reopens it. Empty for a catalogue entry.
    std::vector<Positions> designColumns = {};
};

// The file's text: one record a line, each ended by CR LF.
std::string systemFileText(const SavedSystem& system);

// A system file as loading applies it to a fresh system window.
struct LoadedSystem {
    int size = 10;         // the size selected in the size list
    int selectedIndex = 0; // the type selected among that size's entries
    std::string entryText; // the entry text at that index
    std::string requestedText; // the "Sistema=" text as written, empty without the record
    Prediction prediction; // "Lista=", repeats kept (the run refuses them)
    ConditionSet conditions;
    // The design of a "Sistema=" text outside the catalogue, with its "Colonna=" records; its
    // entry text empty when the file holds none.
    CustomDesign custom;
};

struct LoadOutcome {
    std::string error; // the reason a load failed; empty on success
    LoadedSystem system;
    bool ok() const { return error.empty(); }
};

// Reads the text of a system file. A text with no "Sistema=" or "Lista=" record is refused as not
// being a system file; any other failure names the line ("Riga n: ...").
LoadOutcome readSystemFileText(const std::string& text);
// Reads a regular file of at most 1 MiB; a folder, a device, a pipe or a larger file is refused
// with the reason, without waiting on it or reading it whole.
LoadOutcome readSystemFile(const std::string& path);

// Writes the file; false (with a reason) when it cannot be written whole.
bool writeSystemFile(const std::string& path, const SavedSystem& system, std::string& error);

} // namespace sestara
