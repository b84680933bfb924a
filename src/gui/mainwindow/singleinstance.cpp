#include "gui/mainwindow/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

// How the guard is held. On Unix systems the guard is flock() on an open descriptor of the lock
// file: the kernel grants it to one open file at a time, atomically, and drops it when the
// descriptor closes, which includes every way a process can end (SIGKILL and crashes too). There
// is therefore no stale lock to recognise, no host or process id to compare and nothing to delete:
// copies started together all open the same file (it is never removed, not even on exit, since a
// removal would let one copy lock the old file while another creates a new one) and exactly one
// of them gets the lock. flock() rather than fcntl() locks: an fcntl() lock belongs to the process
// and would vanish when any descriptor of the file is closed, and would not stop a second guard of
// the same process. The descriptor is close-on-exec, so a program launched from here never keeps
// the guard alive. Elsewhere the guard is a QLockFile that is never judged stale by age and never
// deleted while unreadable; a lock whose process is gone is taken over by QLockFile itself.
//
// Where the lock lives. Only in a folder of this user closed to everyone else: the user's folder
// for running programs (Qt makes and checks it), or else a folder of the user's cache made 0700 for
// it. A predictable name in a shared folder would let another user hold the guard forever.

namespace sestara {

namespace {

const QString lockFileName = QStringLiteral("sestara.lock");

#if defined(Q_OS_UNIX)

// True when the folder is this user's and closed to the others; an own folder left open is closed.
bool isPrivateFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

bool makePrivateFolder(const QString& path)
{
    // Made 0700 from the start: never a moment when another user could enter it.
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return isPrivateFolder(path);
}

#else

bool isPrivateFolder(const QString& path)
{
    return QFileInfo(path).isDir();
}

bool makePrivateFolder(const QString& path)
{
    return QDir().mkpath(path);
}

#endif

} // namespace

#if defined(Q_OS_UNIX)

class SingleInstanceGuard::Lock {
public:
    enum class Outcome { Held, HeldByAnother, Unavailable };

    explicit Lock(const QString& path)
        : name_(QFile::encodeName(path))
    {
    }
    ~Lock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    Outcome take()
    {
        if (name_.isEmpty())
            return Outcome::Unavailable;
        int fd = openFile(O_RDWR);
        if (fd < 0 && errno == EACCES)
            fd = openFile(O_RDONLY); // a lock file made read-only still carries the lock
        if (fd < 0)
            return Outcome::Unavailable;
        int result = 0;
        do
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        while (result != 0 && errno == EINTR);
        if (result != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Outcome::HeldByAnother : Outcome::Unavailable;
        }
        fd_ = fd;
        nameHolder();
        return Outcome::Held;
    }

private:
    int openFile(int access) const
    {
        int fd = -1;
        do
            fd = ::open(name_.constData(), access | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        while (fd < 0 && errno == EINTR);
        return fd;
    }

    // The file names its holder's process id, for whoever looks; the lock itself is the kernel's.
    // A lock file made read-only keeps the previous holder's id: the lock is held all the same.
    // The sticky bit asks cleaners of the folder for running programs to leave the file alone.
    bool nameHolder() const
    {
        ::fchmod(fd_, S_ISVTX | S_IRUSR | S_IWUSR);
        const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
        return ::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, pid.constData(), size_t(pid.size()), 0) == pid.size();
    }

    QByteArray name_;
    int fd_ = -1;
};

#else

class SingleInstanceGuard::Lock {
public:
    enum class Outcome { Held, HeldByAnother, Unavailable };

    explicit Lock(const QString& path)
        : file_(path)
        , empty_(path.isEmpty())
    {
        // Never aged out: only a lock whose process is gone is taken over.
        file_.setStaleLockTime(0);
    }

    Outcome take()
    {
        if (empty_)
            return Outcome::Unavailable;
        if (file_.tryLock(0))
            return Outcome::Held;
        return file_.error() == QLockFile::LockFailedError ? Outcome::HeldByAnother : Outcome::Unavailable;
    }

private:
    QLockFile file_;
    bool empty_;
};

#endif

SingleInstanceGuard::SingleInstanceGuard()
    : SingleInstanceGuard(defaultLockPath())
{
}

SingleInstanceGuard::SingleInstanceGuard(const QString& lockPath)
    : path_(lockPath)
    , lock_(std::make_unique<Lock>(lockPath))
{
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !isPrivateFolder(folder)) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (cache.isEmpty())
            return {};
        folder = QDir(cache).filePath(QStringLiteral("sestara"));
        if (!makePrivateFolder(folder))
            return {};
    }
    return QDir(folder).filePath(lockFileName);
}

bool SingleInstanceGuard::acquire()
{
    if (held_)
        return true;
    switch (lock_->take()) {
    case Lock::Outcome::Held:
        held_ = true;
        return true;
    case Lock::Outcome::HeldByAnother:
        return false;
    case Lock::Outcome::Unavailable:
        break;
    }
    // No guard can be had here, and no other copy is known to run: refusing would lock the user
    // out for good, so the program starts unguarded.
    return true;
}

} // namespace sestara
