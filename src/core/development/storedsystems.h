#pragma once

#include "core/util/files.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sestara {

// A column of a stored system: six positions 1..N into the prediction, in the listed order.
using Positions = std::array<std::uint8_t, 6>;

// A stored system as read from a data file, or the reason it could not be read.
struct StoredSystem {
    std::vector<Positions> columns;
    std::uint64_t declaredCount = 0; // the count in the table header, or the K of an immediate title
    std::string error;               // non-empty when the file is missing or damaged
    bool ok() const { return error.empty(); }
};

extern const char* const kRiduttoreFileName;
extern const char* const kImmediatiFileName;

// The largest data files read: a few times the shipped ones, so that a damaged or foreign file is
// refused before it fills the memory.
extern const std::uint64_t kMaxRiduttoreBytes;
extern const std::uint64_t kMaxImmediatiBytes;

// The record after which the search for the header of (n, level) starts; -1 outside the catalogue.
long startRecord(int n, int level);

// The column count of a header, from its bytes 2 to 5.
std::uint64_t decodeColumnCount(const std::uint8_t bytes[4]);
// The four bytes that decode to the count; false when it does not fit.
bool encodeColumnCount(std::uint64_t count, std::uint8_t bytes[4]);

// Reads the reduced system of n numbers and the level from the table file's bytes, searching from
// one record after the start record up to the next header or the end of the file. A system whose
// columns are not as many as its header declares is refused as damaged.
StoredSystem readReducedSystem(const std::string& tableBytes, int n, int level);
StoredSystem loadReducedSystem(const std::string& dataDir, int n, int level);

// Reads the section titled with the exact entry text from the text of the immediate-systems file.
// A section whose lines are not as many as the columns its title names is refused as damaged.
StoredSystem readImmediateSystem(const std::string& fileText, const std::string& entryText, int n);
StoredSystem loadImmediateSystem(const std::string& dataDir, const std::string& entryText, int n);

// The contents of the data file `name` (kRiduttoreFileName or kImmediatiFileName) in the data folder,
// within its size limit. On failure `error` is the message for the user: "Impossibile leggere il
// file ..." with the path, and the reason when the file is there but cannot be read.
FileContents readDataFile(const std::string& dataDir, const char* name);

std::string joinPath(const std::string& dir, const std::string& name);

} // namespace sestara
