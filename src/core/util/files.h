#pragma once

#include <cstdint>
#include <string>

namespace sestara {

// A whole file read into memory, or why it could not be.
struct FileContents {
    std::string bytes;
    std::string error; // in Italian, to follow "impossibile leggere il file ...: "; empty on success
    bool ok() const { return error.empty(); }
};

// Reads a regular file of at most `maxBytes` bytes. A folder, a pipe or a device is refused
// without waiting on it, and a file larger than the limit is refused without being read whole.
FileContents readRegularFile(const std::string& path, std::uint64_t maxBytes);

} // namespace sestara
