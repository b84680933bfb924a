#include "shell/singleinstance.h"

#include <QDir>
#include <QLockFile>

namespace sestara {

namespace {

QString userName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty())
        user = QStringLiteral("utente");
    return user;
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard()
    : SingleInstanceGuard(defaultLockPath())
{
}

SingleInstanceGuard::SingleInstanceGuard(const QString& lockPath)
    : path_(lockPath)
    , lock_(std::make_unique<QLockFile>(lockPath))
{
    // Never age out a lock held by a live copy; a dead holder is detected by its process id.
    lock_->setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::defaultLockPath()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("sestara-%1.lock").arg(userName()));
}

bool SingleInstanceGuard::acquire()
{
    if (held_)
        return true;
    if (lock_->tryLock(0)) {
        held_ = true;
        return true;
    }
    // tryLock already removes a lock whose holder is gone; a lock file that cannot be read at
    // all is left by nobody we can identify, so it is taken over as well.
    if (lock_->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, app;
        if (!lock_->getLockInfo(&pid, &host, &app) && lock_->removeStaleLockFile() && lock_->tryLock(0)) {
            held_ = true;
            return true;
        }
    }
    return false;
}

} // namespace sestara
