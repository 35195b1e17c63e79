#include "instancecall.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");
const QByteArray kShownAnswer = QByteArrayLiteral("shown\n");
// A request longer than this is no request of ours.
constexpr qint64 kLongestRequest = 64;
// A client that has not sent its line by then is dropped.
constexpr int kClientTimeoutMs = 2000;
// A socket address holds 108 bytes on Linux and 104 on the BSDs, the final NUL included.
constexpr qsizetype kLongestSocketPath = 103;

QString SocketPath(const QString &folder)
{
    const QString beside = folder + QStringLiteral("/kalvo.socket");
    if (QFile::encodeName(beside).size() <= kLongestSocketPath)
        return beside;
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(QDir::cleanPath(folder)),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(32);
    return runtime + QStringLiteral("/kalvo-") + QString::fromLatin1(hash) +
           QStringLiteral(".socket");
}

} // namespace

InstanceCall::InstanceCall(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_path(SocketPath(folder))
{}

// The caller holds the single-instance lock, so no live instance serves a socket file found
// at the path: it is a crashed run's, and is replaced. Qt 6.4 binds a socket with access
// options in a temporary folder and renames it over the old file; where listen() fails on the
// old file instead, as Qt documents, the file is removed first.
bool InstanceCall::listen()
{
    QDir().mkpath(QFileInfo(m_path).path());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    bool listening = m_server->listen(m_path);
    if (!listening && m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(m_path);
        listening = m_server->listen(m_path);
    }
    if (!listening) {
        m_error = m_server->errorString();
        delete m_server;
        m_server = nullptr;
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &InstanceCall::acceptClients);
    return true;
}

void InstanceCall::acceptClients()
{
    while (QLocalSocket *client = m_server->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] { readRequest(client); });
        QTimer::singleShot(kClientTimeoutMs, client, &QLocalSocket::abort);
        readRequest(client);
    }
}

void InstanceCall::readRequest(QLocalSocket *client)
{
    if (!client->canReadLine()) {
        if (client->bytesAvailable() > kLongestRequest)
            client->abort();
        return;
    }
    // One request per connection: whatever follows it is not read.
    disconnect(client, &QLocalSocket::readyRead, this, nullptr);
    const QByteArray request = client->readLine(kLongestRequest + 1);
    if (request == kShowRequest) {
        // The answer goes out before the window comes forward, which may wait for the window
        // manager.
        client->write(kShownAnswer);
        client->flush();
        Q_EMIT showRequested();
    }
    client->disconnectFromServer();
}

InstanceCall::Answer InstanceCall::askToShow(int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (!socket.waitForConnected(timeoutMs))
        return Answer::NoInstance;
    socket.write(kShowRequest);
    const QDeadlineTimer deadline(timeoutMs);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return Answer::NoAnswer;
    }
    return socket.readLine(kLongestRequest + 1) == kShownAnswer ? Answer::Shown : Answer::NoAnswer;
}
