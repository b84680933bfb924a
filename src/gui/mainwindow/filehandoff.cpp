#include "gui/mainwindow/filehandoff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#if defined(Q_OS_UNIX)
#include <climits>
#include <unistd.h>
#endif

namespace sestara {

namespace {

// The frame: the path's length in four bytes, most significant first, then the path.
constexpr qint64 kLengthBytes = 4;
// A path is far shorter; a longer one is no hand-over and is dropped.
constexpr quint32 kMaxPathBytes = 64 * 1024;
// A copy that connects and says nothing is dropped after this long.
constexpr int kIdleMs = 5000;

const QByteArray kAnswer = QByteArrayLiteral("ok\n");

} // namespace

FileHandoff::FileHandoff(QObject* parent)
    : QObject(parent)
    , server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &FileHandoff::takeConnection);
}

FileHandoff::~FileHandoff() = default;

QString FileHandoff::socketPath(const QString& lockPath)
{
    if (lockPath.isEmpty())
        return {};
    return QFileInfo(lockPath).dir().filePath(QStringLiteral("sestara.socket"));
}

bool FileHandoff::listen(const QString& socketPath)
{
    if (socketPath.isEmpty())
        return false;
    QLocalServer::removeServer(socketPath);
    return server_->listen(socketPath);
}

void FileHandoff::takeConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kIdleMs, socket, [socket] { socket->abort(); });
        // Only reads here: whatever the file brings (a message box) comes later, from the queue of
        // whoever takes it, never inside this handler.
        const auto read = [this, socket] {
            if (socket->bytesAvailable() < kLengthBytes)
                return;
            const QByteArray head = socket->peek(kLengthBytes);
            const quint32 length = qFromBigEndian<quint32>(head.constData());
            if (length == 0 || length > kMaxPathBytes) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < kLengthBytes + qint64(length))
                return;
            socket->skip(kLengthBytes);
            const QByteArray path = socket->read(length);
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
            emit fileReceived(path);
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        // A copy that wrote before this connection was taken left its bytes waiting.
        read();
    }
}

FileHandoff::Sent FileHandoff::send(const QString& socketPath, const QByteArray& nativePath, int timeoutMs)
{
    const QByteArray path = absoluteNativePath(nativePath);
    if (socketPath.isEmpty() || path.isEmpty() || quint32(path.size()) > kMaxPathBytes)
        return Sent::NotDelivered;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs))
        return Sent::NotDelivered;
    char head[kLengthBytes];
    qToBigEndian<quint32>(quint32(path.size()), head);
    socket.write(QByteArray(head, kLengthBytes) + path);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(timeoutMs))
            return Sent::NotDelivered;
    QByteArray answer;
    while (answer.size() < kAnswer.size() && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    if (answer.startsWith(kAnswer))
        return Sent::Taken;
    // Closed without an answer, the path was dropped; still open, it waits to be read.
    return socket.state() == QLocalSocket::ConnectedState ? Sent::Unanswered : Sent::NotDelivered;
}

QByteArray systemFileArgument(const QList<QByteArray>& arguments)
{
    // The first argument is the program itself; "--" may stand before a name that starts with "-".
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].isEmpty() && arguments[i] != "--")
            return arguments[i];
    return {};
}

QByteArray absoluteNativePath(const QByteArray& path)
{
#if defined(Q_OS_UNIX)
    if (path.isEmpty() || path.startsWith('/'))
        return path;
    // The current folder as its bytes: its name need not be UTF-8 either.
    char folder[PATH_MAX];
    if (::getcwd(folder, sizeof folder) == nullptr)
        return path;
    return QByteArray(folder) + '/' + path;
#else
    return path.isEmpty() ? path : QFile::encodeName(QFileInfo(QFile::decodeName(path)).absoluteFilePath());
#endif
}

} // namespace sestara
