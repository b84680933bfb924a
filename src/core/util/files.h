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

// A file being replaced in one step: a new temporary file with a short name in the same folder
// takes the new bytes, is flushed to the disk and is then renamed over the file. Readers see the
// old file or the new one, never a part; whatever fails, the old file stays as it was and no
// temporary file is left. A file that did not exist is created as any program creates one (the
// user's umask); a replaced file keeps its permissions and, where the process may, its owner and
// group. A symbolic link is followed, so the file it names is replaced and the link stays, except
// a link in a shared folder (sticky and writable by all) that belongs neither to the user nor to
// the folder's owner: the kernel would not follow it either. A file without write permission, a
// folder or a device is refused before anything is written.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Why the file cannot be replaced (in Italian); empty while the replacement can go on.
    const std::string& error() const { return error_; }
    // The temporary file, open for writing, for writers that need a name (a printer's PDF output).
    int descriptor() const { return fd_; }
    const std::string& temporaryPath() const { return temporary_; }
    // Puts the temporary file in the place of the file; returns why it failed, empty on success.
    std::string commit();

private:
    std::string fail(const char* what, int error);

    std::string target_;
    std::string temporary_;
    std::string error_;
    int fd_ = -1;
};

// Replaces the file's contents in one step through a FileReplacement; returns why it failed (in
// Italian), empty on success.
std::string writeFileAtomically(const std::string& path, const std::string& bytes);

} // namespace sestara
