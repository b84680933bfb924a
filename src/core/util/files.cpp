#include "core/util/files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sestara {

namespace fs = std::filesystem;

namespace {

// A folder on the way that the user may not enter: the file may well exist.
const char* const kUnreachableFolder = "cartella non accessibile";

} // namespace

FileContents readRegularFile(const std::string& path, std::uint64_t maxBytes)
{
    FileContents out;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        out.error = ec.value() == EACCES ? kUnreachableFolder : "il file non esiste";
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

// Whether the kernel's rule for links in shared folders (protected_symlinks) lets this process
// follow the link: in a folder that is sticky and writable by all, only a link of the user or of
// the folder's owner is followed. Another user could otherwise steer a save of ours anywhere.
bool mayFollow(const fs::path& link, const struct stat& linkInfo)
{
    const fs::path folder = link.has_parent_path() ? link.parent_path() : fs::path(".");
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0)
        return false;
    const bool shared = (folderInfo.st_mode & S_ISVTX) != 0 && (folderInfo.st_mode & S_IWOTH) != 0;
    return !shared || linkInfo.st_uid == ::geteuid() || linkInfo.st_uid == folderInfo.st_uid;
}

// The file a name stands for: a symbolic link is followed to the file it names, which need not
// exist yet, so that a save replaces the file and leaves the link in place. Empty, with the
// reason, for a loop or a link that must not be followed.
fs::path linkTarget(const fs::path& name, std::string& problem)
{
    constexpr int kMaxLinks = 40;
    fs::path at = name;
    for (int links = 0; links < kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return at;
        if (!mayFollow(at, info)) {
            problem = "collegamento simbolico di un altro utente in una cartella condivisa";
            return {};
        }
        std::error_code error;
        const fs::path next = fs::read_symlink(at, error);
        if (error)
            return at;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    problem = "troppi collegamenti simbolici";
    return {};
}

// Why `target` cannot be replaced, before anything is written; empty when it can be tried.
std::string replaceProblem(const fs::path& target, struct stat& st, bool& exists)
{
    exists = ::stat(target.c_str(), &st) == 0;
    if (!exists) {
        if (errno == EACCES)
            return kUnreachableFolder;
        if (errno != ENOENT && errno != ENOTDIR)
            return systemReason(errno);
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        struct stat dir {};
        if (::stat(folder.c_str(), &dir) != 0)
            return errno == EACCES ? kUnreachableFolder : "la cartella non esiste";
        return S_ISDIR(dir.st_mode) ? "" : "la cartella non esiste";
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

// A new file of a short name in the folder, created as any program creates a file (the umask
// applies): the file's own name may already be as long as the file system allows.
int createTemporary(const fs::path& folder, std::string& name)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string leaf = ".sestara-";
        for (int i = 0; i < 6; ++i)
            leaf += kLetters[letter(random)];
        name = (folder / leaf).string();
        int fd = -1;
        do
            fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        while (fd < 0 && errno == EINTR);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

FileReplacement::FileReplacement(const std::string& path)
{
    const fs::path target = linkTarget(path, error_);
    if (target.empty())
        return;
    struct stat old {};
    bool replacing = false;
    error_ = replaceProblem(target, old, replacing);
    if (!error_.empty())
        return;
    target_ = target.string();
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fd_ = createTemporary(folder, temporary_);
    if (fd_ < 0) {
        temporary_.clear();
        error_ = "impossibile creare un file temporaneo nella cartella (" + systemReason(errno) + ")";
        return;
    }
    if (!replacing)
        return;
    // The owner first: a change of owner clears the set-id bits that the mode then restores. Where
    // the owner cannot be kept, neither are those bits, which would now act for someone else.
    mode_t mode = old.st_mode & 07777;
    if (::fchown(fd_, old.st_uid, old.st_gid) != 0 && ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) != 0)
        mode &= static_cast<mode_t>(~(S_ISUID | S_ISGID));
    if (::fchmod(fd_, mode) != 0)
        fail("impossibile impostare i permessi del file", errno);
}

FileReplacement::~FileReplacement()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
}

std::string FileReplacement::fail(const char* what, int error)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
    error_ = std::string(what) + " (" + systemReason(error) + ")";
    return error_;
}

std::string FileReplacement::commit()
{
    if (fd_ < 0)
        return error_;
    if (::fsync(fd_) != 0)
        return fail("errore di scrittura su disco", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail("errore di scrittura su disco", errno);
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail("impossibile sostituire il file", errno);
    temporary_.clear();

    // The new name itself reaches the disk with the folder; the file is already replaced, so a
    // folder that cannot be flushed is no reason to report a failure.
    const fs::path target(target_);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return "";
}

std::string writeFileAtomically(const std::string& path, const std::string& bytes)
{
    FileReplacement replacement(path);
    if (!replacement.error().empty())
        return replacement.error();
    if (!writeAll(replacement.descriptor(), bytes))
        return std::string("errore di scrittura (") + systemReason(errno) + ")";
    return replacement.commit();
}

} // namespace sestara
