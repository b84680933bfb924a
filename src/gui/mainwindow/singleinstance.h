#pragma once

#include <QString>

#include <memory>

namespace sestara {

// Guards against a second running copy for the same user. The guard is a lock file in a folder
// that only the user can reach (the user's folder for running programs); holding the guard means
// holding the operating system's lock on that file, which ends with the process however it ends,
// so a crash never locks the user out and no lock is ever judged stale or deleted.
class SingleInstanceGuard {
public:
    // The default lock file, defaultLockPath().
    SingleInstanceGuard();
    explicit SingleInstanceGuard(const QString& lockPath);
    ~SingleInstanceGuard();

    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // False only when a live process holds the guard. True when this process now holds it (or
    // already held it), and also when the guard cannot be set up at all (no private folder, a lock
    // file that cannot be opened): a copy is refused only on proof of another one.
    bool acquire();
    bool held() const { return held_; }
    QString lockPath() const { return path_; }

    // "sestara.lock" in the user's folder for running programs, or, when the user has none, in a
    // folder of the user's own cache made for it; empty when neither can be had.
    static QString defaultLockPath();

private:
    class Lock;

    QString path_;
    std::unique_ptr<Lock> lock_;
    bool held_ = false;
};

} // namespace sestara
