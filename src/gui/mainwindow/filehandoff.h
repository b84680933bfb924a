#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QLocalServer;

namespace sestara {

// A running copy takes the system files that later copies were started with: the later copy hands
// the file's path over a local socket beside the single-instance lock (in a folder only the user
// can reach) and ends; the running copy opens it. One path a connection, as the bytes the file
// system holds (a name need not be UTF-8 and may hold any byte but NUL), framed by its length; the
// running copy answers "ok" once it has taken it.
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

    enum class Sent {
        Taken,        // the running copy answered: the file is its own
        Unanswered,   // the whole path went out, but no answer came in time: it opens when read
        NotDelivered, // nobody listens, or the path did not go out whole: nothing will open
    };
    // Hands `nativePath` (made absolute) to the copy listening at `socketPath`.
    static Sent send(const QString& socketPath, const QByteArray& nativePath, int timeoutMs = 5000);

signals:
    void fileReceived(const QByteArray& nativePath);

private:
    void takeConnection();

    QLocalServer* server_;
};

// The first non-empty argument after the program's own name (and a "--"): the system file to
// open, as its bytes stand on the command line, or empty.
QByteArray systemFileArgument(const QList<QByteArray>& arguments);

// The path made absolute against the current folder, byte for byte.
QByteArray absoluteNativePath(const QByteArray& path);

} // namespace sestara
