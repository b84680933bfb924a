#include "gui/mainwindow/filehandoff.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace sestara {

namespace {

// A path is far shorter; a longer message is no hand-over and is dropped.
constexpr qint64 kMaxMessageBytes = 64 * 1024;
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxMessageBytes)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(kMaxMessageBytes);
            if (!line.endsWith('\n')) {
                socket->abort();
                return;
            }
            socket->write(kAnswer);
            socket->disconnectFromServer();
            const QString path = QString::fromUtf8(line.chopped(1));
            if (!path.isEmpty())
                emit fileReceived(path);
        });
    }
}

bool FileHandoff::send(const QString& socketPath, const QString& file, int timeoutMs)
{
    if (socketPath.isEmpty() || file.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(QFileInfo(file).absoluteFilePath().toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (answer.size() < kAnswer.size() && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer.startsWith(kAnswer);
}

QString systemFileArgument(const QStringList& arguments)
{
    // The first argument is the program itself; "--" may stand before a name that starts with "-".
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].isEmpty() && arguments[i] != QLatin1String("--"))
            return arguments[i];
    return {};
}

} // namespace sestara
