#include "platform/desktop/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace namenswerk::platform {

namespace {

// The request is "raise", one line per path, then an empty line. Paths are
// percent-encoded, so that no name can hold a line break of the message.
constexpr QByteArrayView raiseMessage = "raise\n";
constexpr QByteArrayView endLine = "\n";
constexpr QByteArrayView answerMessage = "ok\n";
// Brief, because a start that waits here shows nothing at all.
constexpr int waitMilliseconds = 1000;

QByteArray requestFor(const QStringList &paths)
{
    QByteArray message(raiseMessage.data(), raiseMessage.size());
    for (const QString &path : paths) {
        message += QDir::current().absoluteFilePath(path).toUtf8().toPercentEncoding() + '\n';
    }
    return message + QByteArray(endLine.data(), endLine.size());
}

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject *parent)
    : QObject(parent), serverName_(std::move(serverName))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *connection = server_.nextPendingConnection()) {
            answer(connection);
        }
    });
}

QString SingleInstance::defaultServerName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder + u"/namenswerk-"_s + QString::number(::getuid());
}

bool SingleInstance::tryBecomePrimary(const QStringList &paths)
{
    if (server_.isListening()) {
        return true;
    }
    // Two starts at the same moment must not both find no one and both
    // listen; the lock makes them take turns. Without it (folder not
    // writable) the check still works, only without that guard.
    QLockFile turn(serverName_ + u".lock"_s);
    turn.tryLock(waitMilliseconds);
    if (askPrimaryToRaise(paths)) {
        return false;
    }
    // When the socket cannot be made, the program still runs, only later
    // starts will not find it.
    listen();
    return true;
}

bool SingleInstance::askPrimaryToRaise(const QStringList &paths)
{
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(waitMilliseconds)) {
        return false;
    }
    socket.write(requestFor(paths));
    socket.waitForBytesWritten(waitMilliseconds);
    // The answer only tells that the request arrived; a busy first instance
    // still counts as running.
    socket.waitForReadyRead(waitMilliseconds);
    return true;
}

void SingleInstance::listen()
{
    // Nobody answered, so a socket file still there was left by a run that
    // ended without closing it.
    QLocalServer::removeServer(serverName_);
    server_.listen(serverName_);
}

void SingleInstance::answer(QLocalSocket *connection)
{
    connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
    connect(connection, &QLocalSocket::readyRead, this, [this, connection] { read(connection); });
    read(connection);
}

void SingleInstance::read(QLocalSocket *connection)
{
    // The request is complete only with its empty line; until then the
    // lines wait in the socket.
    const QByteArray waiting = connection->peek(connection->bytesAvailable());
    if (!waiting.startsWith(QByteArray(raiseMessage.data(), raiseMessage.size()))) {
        if (waiting.contains('\n') || waiting.size() >= raiseMessage.size()) {
            connection->disconnectFromServer();
        }
        return;
    }
    if (!waiting.endsWith("\n\n")) {
        return;
    }
    QStringList paths;
    const QList<QByteArray> lines = waiting.sliced(raiseMessage.size()).split('\n');
    for (const QByteArray &line : lines) {
        if (!line.isEmpty()) {
            paths.append(QString::fromUtf8(QByteArray::fromPercentEncoding(line)));
        }
    }
    connection->readAll();
    connection->write(answerMessage.data(), answerMessage.size());
    Q_EMIT raiseRequested(paths);
    connection->disconnectFromServer();
}

} // namespace namenswerk::platform
