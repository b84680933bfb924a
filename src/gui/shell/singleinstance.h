#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace sestara {

// Guards against a second running copy for the same user. The guard is a lock file in the
// temporary folder; a lock left behind by a copy that crashed is recognised as stale and taken
// over, so a crash never locks the user out.
class SingleInstanceGuard {
public:
    // The default lock file: "sestara-<user>.lock" in the temporary folder.
    SingleInstanceGuard();
    explicit SingleInstanceGuard(const QString& lockPath);
    ~SingleInstanceGuard();

    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // True when this process now holds the guard (or already held it).
    bool acquire();
    bool held() const { return held_; }
    QString lockPath() const { return path_; }

    static QString defaultLockPath();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};

} // namespace sestara
