#include "app/instancechannel.h"

#include "base/tracing.h"
#include "platform/peercredentials.h"
#include "platform/privateruntimefolder.h"
#include "platform/username.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <sys/stat.h>

namespace {

// A request is small; anything larger is not one of ours and is dropped
// before it fills the memory of the running copy.
constexpr qint64 kMaxRequestBytes = 1024 * 1024;
// The client looks this often whether the running copy still runs.
constexpr int kAliveCheckMs = 1000;

const QString kNewNote = QStringLiteral("new-note");
const QString kShowPanel = QStringLiteral("show-panel");
const QString kImport = QStringLiteral("import");
const QString kSyncFolder = QStringLiteral("sync-folder");
const QString kToggle = QStringLiteral("toggle");
const QString kNewNoteFromSelection = QStringLiteral("new-note-from-selection");
const QByteArray kAccepted = QByteArrayLiteral("ok\n");
const QByteArray kRefused = QByteArrayLiteral("refused\n");

QString commandOf(InstanceChannel::Request request)
{
    switch (request) {
    case InstanceChannel::Request::NewNote:
        return kNewNote;
    case InstanceChannel::Request::ShowPanel:
        return kShowPanel;
    case InstanceChannel::Request::Import:
        return kImport;
    case InstanceChannel::Request::Toggle:
        return kToggle;
    case InstanceChannel::Request::NewNoteFromSelection:
        return kNewNoteFromSelection;
    case InstanceChannel::Request::SyncFolder:
        break;
    }
    return kSyncFolder;
}

// The inode of the socket file at `name`, 0 when there is none.
qint64 socketInode(const QString &name)
{
    struct stat info = {};
    if (::lstat(QFile::encodeName(name).constData(), &info) != 0 || !S_ISSOCK(info.st_mode))
        return 0;
    return qint64(info.st_ino);
}

} // namespace

InstanceChannel::InstanceChannel(QObject *parent) : QObject(parent)
{
}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::serverNameFor(const QString &runtimeFolder, const QString &userName)
{
    // Never a bare name: Qt would put it into the shared temporary folder.
    if (!QDir::isAbsolutePath(runtimeFolder))
        return QString();
    const QByteArray safeName = QUrl::toPercentEncoding(userName);
    return QDir(runtimeFolder)
        .filePath(QStringLiteral("notarella-%1.channel").arg(QString::fromLatin1(safeName)));
}

QString InstanceChannel::serverName()
{
    return serverNameFor(Platform::privateRuntimeFolder(), Platform::currentUserName());
}

bool InstanceChannel::listen(const QString &name)
{
    m_name = name;
    if (!m_watch) {
        m_watch = new QTimer(this);
        m_watch->setInterval(kWatchIntervalMs);
        connect(m_watch, &QTimer::timeout, this, &InstanceChannel::checkServer);
    }
    const bool listening = startServer();
    // Tried again while the program runs: a failure may be a passing
    // shortage of file descriptors.
    if (!name.isEmpty())
        m_watch->start();
    return listening;
}

bool InstanceChannel::isListening() const
{
    return m_server && m_server->isListening();
}

bool InstanceChannel::startServer()
{
    delete std::exchange(m_server, nullptr);
    m_socketInode = 0;
    if (m_name.isEmpty()) {
        qCWarning(lcApp) << "InstanceChannel: no private folder for the channel";
        return false;
    }
    m_server = new QLocalServer(this);
    // Only this user may hand requests to the program.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name)) {
        qCWarning(lcApp) << "InstanceChannel: cannot listen at" << m_name
                         << m_server->errorString();
        return false;
    }
    m_socketInode = socketInode(m_name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection())
            adopt(socket);
    });
    qCDebug(lcApp) << "InstanceChannel: listening at" << m_name;
    return true;
}

void InstanceChannel::checkServer()
{
    // Qt closes the server for good when an accept fails (no file
    // descriptor left); someone may also have removed the socket file.
    if (isListening() && m_socketInode != 0 && socketInode(m_name) == m_socketInode)
        return;
    qCWarning(lcApp) << "InstanceChannel: the channel was closed or its socket is gone; "
                        "listening again";
    startServer();
}

void InstanceChannel::adopt(QLocalSocket *socket)
{
    if (!Platform::isPeerOfThisUser(socket->socketDescriptor())) {
        qCWarning(lcApp) << "InstanceChannel: refused a client of another user";
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (m_clients.size() >= kMaxClients)
        letGo(m_clients.constFirst());
    m_clients.append(socket);
    auto *idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(kIdleClientMs);
    connect(idle, &QTimer::timeout, this, [this, socket] {
        qCDebug(lcApp) << "InstanceChannel: let go of an idle client";
        letGo(socket);
    });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { letGo(socket); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, idle] {
        idle->start(); // a client still sending is not idle
        readRequest(socket);
    });
    idle->start();
}

void InstanceChannel::letGo(QLocalSocket *socket)
{
    if (!m_clients.removeOne(socket))
        return; // let go of already
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void InstanceChannel::readRequest(QLocalSocket *socket)
{
    if (socket->bytesAvailable() > kMaxRequestBytes) {
        qCWarning(lcApp) << "InstanceChannel: request too large, dropped";
        letGo(socket);
        return;
    }
    Message message;
    if (!decode(socket, &message))
        return; // the rest of the request is still on its way

    qCDebug(lcApp) << "InstanceChannel: request" << (message.request ? int(*message.request) : -1);
    // The answer goes out before the work: however long that takes, the
    // client learns at once that its request arrived.
    socket->write(message.request ? kAccepted : kRefused);
    socket->flush();
    m_clients.removeOne(socket);
    socket->disconnect(this);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromServer();
    if (!message.request)
        return;
    switch (*message.request) {
    case Request::NewNote:
        emit newNoteRequested(message.text);
        break;
    case Request::ShowPanel:
        emit showPanelRequested();
        break;
    case Request::Import:
        emit importRequested(message.text);
        break;
    case Request::SyncFolder:
        emit syncFolderRequested(message.text);
        break;
    case Request::Toggle:
        emit toggleRequested();
        break;
    case Request::NewNoteFromSelection:
        emit newNoteFromSelectionRequested();
        break;
    }
}

QByteArray InstanceChannel::encode(Request request, const QString &text)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << commandOf(request) << text;
    return bytes;
}

bool InstanceChannel::decode(QIODevice *device, Message *message)
{
    QDataStream stream(device);
    stream.setVersion(QDataStream::Qt_6_0);
    stream.startTransaction();
    QString command;
    QString text;
    stream >> command >> text;
    message->request.reset();
    message->text.clear();
    if (!stream.commitTransaction()) {
        // Bytes that cannot be a request (a text of an odd number of bytes)
        // are refused at once rather than waited on.
        return stream.status() != QDataStream::ReadPastEnd;
    }
    for (const Request request :
         {Request::NewNote, Request::ShowPanel, Request::Import, Request::SyncFolder,
          Request::Toggle, Request::NewNoteFromSelection}) {
        if (command == commandOf(request))
            message->request = request;
    }
    message->text = text;
    return true;
}

InstanceChannel::Outcome
InstanceChannel::deliverWhenListening(const QString &name, Request request, const QString &text,
                                      const std::function<bool()> &copyStarting, int waitMs)
{
    QDeadlineTimer deadline(waitMs);
    while (true) {
        // A request that reached a listener is never sent twice, answered or
        // not: the running copy may have made the note already.
        const Outcome outcome = deliver(name, request, text);
        if (outcome != Outcome::NobodyListens)
            return outcome;
        if (deadline.hasExpired() || !copyStarting())
            return outcome;
        QThread::msleep(100);
    }
}

InstanceChannel::Outcome InstanceChannel::deliver(const QString &name, Request request,
                                                  const QString &text, int connectTimeoutMs)
{
    if (name.isEmpty())
        return Outcome::NobodyListens;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(connectTimeoutMs))
        return Outcome::NobodyListens;
    // Whoever listens there gets the request only when it is this user.
    const auto peer = Platform::peerCredentials(socket.socketDescriptor());
    if (!Platform::isPeerOfThisUser(socket.socketDescriptor())) {
        qCWarning(lcApp) << "InstanceChannel: the socket at" << name
                         << "belongs to another user; nothing sent";
        socket.abort();
        return Outcome::NobodyListens;
    }
    const auto stillThere = [&] {
        return socket.state() == QLocalSocket::ConnectedState &&
               Platform::isProcessAlive(peer->pid);
    };
    socket.write(encode(request, text));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kAliveCheckMs) && !stillThere())
            return Outcome::NotAnswered;
    }
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (socket.waitForReadyRead(kAliveCheckMs))
            answer += socket.readAll();
        else if (!stillThere())
            break;
    }
    answer += socket.readAll();
    return answer == kAccepted ? Outcome::Delivered : Outcome::NotAnswered;
}
