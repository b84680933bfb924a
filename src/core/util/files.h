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

// Replaces the file's contents in one step: the bytes go to a new temporary file in the same
// folder, are flushed to the disk and then renamed over `path`. Readers see the old file or the
// new one, never a part; on failure the old file stays as it was and no temporary file is left.
// Returns why it failed (in Italian), empty on success. The file keeps the permissions of the old
// one; a file that did not exist is readable by everyone and writable by its owner. A symbolic
// link is followed, so the file it names is replaced and the link stays; a file without write
// permission, a folder or a device is refused before anything is written.
std::string writeFileAtomically(const std::string& path, const std::string& bytes);

} // namespace sestara
