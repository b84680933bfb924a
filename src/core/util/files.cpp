#include "core/util/files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sestara {

namespace fs = std::filesystem;

FileContents readRegularFile(const std::string& path, std::uint64_t maxBytes)
{
    FileContents out;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        out.error = "il file non esiste";
        return out;
    }
    if (!fs::is_regular_file(status)) {
        out.error = fs::is_directory(status) ? "è una cartella, non un file" : "non è un file ordinario";
        return out;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > maxBytes) {
        out.error = "il file è troppo grande (" + std::to_string(size) + " byte, al massimo " +
                    std::to_string(maxBytes) + ")";
        return out;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out.error = "accesso negato o file illeggibile";
        return out;
    }
    // The size may change between the check and the reading: never take more than the limit.
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::uint64_t>(in.gcount());
        if (out.bytes.size() + got > maxBytes) {
            out.bytes.clear();
            out.error = "il file è troppo grande (oltre " + std::to_string(maxBytes) + " byte)";
            return out;
        }
        out.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (in.bad()) {
        out.bytes.clear();
        out.error = "errore di lettura";
    }
    return out;
}

namespace {

std::string systemReason(int error)
{
    switch (error) {
    case ENOSPC:
        return "spazio su disco esaurito";
#ifdef EDQUOT
    case EDQUOT:
        return "quota del disco esaurita";
#endif
    case EFBIG:
        return "file troppo grande";
    case EACCES:
    case EPERM:
        return "accesso negato";
    case EROFS:
        return "il disco è di sola lettura";
    case ENOENT:
    case ENOTDIR:
        return "la cartella non esiste";
    case EISDIR:
        return "al suo posto c'è una cartella";
    case EIO:
        return "errore di ingresso/uscita";
    default:
        return "errore di sistema " + std::to_string(error);
    }
}

bool writeAll(int fd, const std::string& bytes)
{
    const char* at = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// The file a name stands for: a symbolic link is followed to the file it names, which need not
// exist yet, so that a save replaces the file and leaves the link in place. Empty for a loop.
fs::path linkTarget(const fs::path& name)
{
    constexpr int kMaxLinks = 40;
    fs::path at = name;
    for (int links = 0; links < kMaxLinks; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(at, error)))
            return at;
        const fs::path next = fs::read_symlink(at, error);
        if (error)
            return at;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return {};
}

// Why `target` cannot be replaced, before anything is written; empty when it can be tried.
std::string replaceProblem(const fs::path& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        struct stat dir {};
        if (::stat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode))
            return "la cartella non esiste";
        return "";
    }
    if (S_ISDIR(st.st_mode))
        return "è una cartella, non un file";
    if (!S_ISREG(st.st_mode))
        return "non è un file ordinario";
    // A file without any write permission is one its owner protected: not even root replaces it.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return "il file è di sola lettura";
    if (::access(target.c_str(), W_OK) != 0)
        return errno == EACCES ? "il file è di sola lettura" : systemReason(errno);
    return "";
}

} // namespace

std::string writeFileAtomically(const std::string& path, const std::string& bytes)
{
    const fs::path target = linkTarget(path);
    if (target.empty())
        return "troppi collegamenti simbolici";
    if (std::string problem = replaceProblem(target); !problem.empty())
        return problem;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');

    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return "impossibile creare un file temporaneo nella cartella (" + systemReason(errno) + ")";

    // Any failure from here on removes the temporary file and leaves the old one alone.
    const auto fail = [&](const char* what, int error, bool open) {
        if (open)
            ::close(fd);
        ::unlink(temporary.data());
        return std::string(what) + " (" + systemReason(error) + ")";
    };

    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0)
        return fail("impossibile impostare i permessi del file", errno, true);
    if (!writeAll(fd, bytes))
        return fail("errore di scrittura", errno, true);
    if (::fsync(fd) != 0)
        return fail("errore di scrittura su disco", errno, true);
    if (::close(fd) != 0)
        return fail("errore di scrittura su disco", errno, false);
    if (std::rename(temporary.data(), target.c_str()) != 0)
        return fail("impossibile sostituire il file", errno, false);

    // The new name itself reaches the disk with the folder; the file is already replaced, so a
    // folder that cannot be flushed is no reason to report a failure.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return "";
}

} // namespace sestara
