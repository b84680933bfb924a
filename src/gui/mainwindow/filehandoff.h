#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace sestara {

// A running copy takes the system files that later copies were started with: the later copy hands
// the file's path over a local socket beside the single-instance lock (in a folder only the user
// can reach) and ends; the running copy opens it. One path a connection, UTF-8, ended by a line
// feed; the running copy answers "ok" once it has taken it.
class FileHandoff : public QObject {
    Q_OBJECT
public:
    explicit FileHandoff(QObject* parent = nullptr);
    ~FileHandoff() override;

    // "sestara.socket" beside the lock file; empty without a lock file.
    static QString socketPath(const QString& lockPath);

    // Starts taking files at `socketPath`, replacing a socket a copy that ended left behind (only
    // the holder of the lock listens, so no live copy owns it). False when it cannot.
    bool listen(const QString& socketPath);

    // Hands `file` (made absolute) to the copy listening at `socketPath`; true once it answered.
    static bool send(const QString& socketPath, const QString& file, int timeoutMs = 5000);

signals:
    void fileReceived(const QString& path);

private:
    void takeConnection();

    QLocalServer* server_;
};

// The first non-empty argument after the program's own name (and a "--"): the system file to
// open, or empty.
QString systemFileArgument(const QStringList& arguments);

} // namespace sestara
