#include "app/instancechannel.h"

#include "base/tracing.h"
#include "platform/username.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace {

// A request is small; anything larger is not one of ours and is dropped
// before it fills the memory of the running copy.
constexpr qint64 kMaxRequestBytes = 1024 * 1024;

const QString kNewNote = QStringLiteral("new-note");
const QString kShowPanel = QStringLiteral("show-panel");
const QByteArray kAccepted = QByteArrayLiteral("ok\n");
const QByteArray kRefused = QByteArrayLiteral("refused\n");

} // namespace

InstanceChannel::InstanceChannel(QObject *parent) : QObject(parent)
{
}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::serverNameFor(const QString &runtimeFolder, const QString &userName)
{
    const QByteArray safeName = QUrl::toPercentEncoding(userName);
    return QDir(runtimeFolder)
        .filePath(QStringLiteral("notarella-%1.channel").arg(QString::fromLatin1(safeName)));
}

QString InstanceChannel::serverName()
{
    return serverNameFor(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                         Platform::currentUserName());
}

bool InstanceChannel::listen(const QString &name)
{
    delete m_server;
    m_server = new QLocalServer(this);
    // Only this user may hand requests to the program.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(name);
    if (!m_server->listen(name)) {
        qCWarning(lcApp) << "InstanceChannel: cannot listen at" << name << m_server->errorString();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readRequest(socket); });
        }
    });
    qCDebug(lcApp) << "InstanceChannel: listening at" << name;
    return true;
}

void InstanceChannel::readRequest(QLocalSocket *socket)
{
    if (socket->bytesAvailable() > kMaxRequestBytes) {
        qCWarning(lcApp) << "InstanceChannel: request too large, dropped";
        socket->abort();
        return;
    }
    QDataStream stream(socket);
    stream.setVersion(QDataStream::Qt_6_0);
    stream.startTransaction();
    QString command;
    QString text;
    stream >> command >> text;
    if (!stream.commitTransaction())
        return; // the rest of the request is still on its way

    qCDebug(lcApp) << "InstanceChannel: request" << command;
    if (command == kNewNote) {
        socket->write(kAccepted);
        emit newNoteRequested(text);
    } else if (command == kShowPanel) {
        socket->write(kAccepted);
        emit showPanelRequested();
    } else {
        socket->write(kRefused);
    }
    socket->disconnectFromServer();
}

bool InstanceChannel::deliver(const QString &name, Request request, const QString &text,
                              int timeoutMs)
{
    return tryDeliver(name, request, text, timeoutMs) == Outcome::Delivered;
}

bool InstanceChannel::deliverWhenListening(const QString &name, Request request,
                                           const QString &text,
                                           const std::function<bool()> &copyStarting, int waitMs)
{
    QDeadlineTimer deadline(waitMs);
    while (true) {
        // A request that reached a listener is never sent twice, answered or
        // not: the running copy may have made the note already.
        const Outcome outcome = tryDeliver(name, request, text, 5000);
        if (outcome != Outcome::NobodyListens)
            return outcome == Outcome::Delivered;
        if (deadline.hasExpired() || !copyStarting())
            return false;
        QThread::msleep(100);
    }
}

InstanceChannel::Outcome InstanceChannel::tryDeliver(const QString &name, Request request,
                                                     const QString &text, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return Outcome::NobodyListens;
    QDataStream stream(&socket);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << (request == Request::NewNote ? kNewNote : kShowPanel) << text;
    if (!socket.waitForBytesWritten(timeoutMs))
        return Outcome::NotAnswered;
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    answer += socket.readAll();
    return answer == kAccepted ? Outcome::Delivered : Outcome::NotAnswered;
}
