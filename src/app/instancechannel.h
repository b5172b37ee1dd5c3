#pragma once

#include <QFileInfo>
#include <QList>
#include <QObject>
#include <QString>

class QIODevice;

#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;
class QTimer;

// The channel through which a second start of the program hands its request
// (a new note, the control panel, an import, a sync folder, a toggle) to the copy already running,
// instead of starting beside it. The running copy listens on a local socket
// in the user's private runtime folder; a second start connects, sends one
// request and waits for the answer. Both ends talk only to a peer of the same
// user, as the kernel reports it.
class InstanceChannel : public QObject
{
    Q_OBJECT
public:
    enum class Request
    {
        NewNote,
        ShowPanel,
        Import,
        SyncFolder,
        Toggle,
        NewNoteFromSelection
    };
    enum class Outcome
    {
        Delivered,     // the running copy took the request
        NobodyListens, // no copy of this user listens: nothing was sent
        NotAnswered    // sent, but the copy refused it or ended before answering
    };

    // A client that has sent nothing for this long is let go, and at most
    // this many clients are served at once: idle clients never use up the
    // program's file descriptors.
    static constexpr int kIdleClientMs = 5000;
    static constexpr int kMaxClients = 32;
    // How often the listener checks that its socket is still there.
    static constexpr int kWatchIntervalMs = 2000;

    // One request as it travels: the command word and its text. A command
    // this copy does not know has no request.
    struct Message
    {
        std::optional<Request> request;
        QString text;
    };
    // The bytes a client sends for `request`.
    static QByteArray encode(Request request, const QString &text);
    // Reads one message from the start of `device`. False while its bytes
    // are still on their way: then nothing is taken from `device`. Bytes
    // that are no message read as one without a request.
    static bool decode(QIODevice *device, Message *message);

    explicit InstanceChannel(QObject *parent = nullptr);
    ~InstanceChannel() override;

    // "<runtimeFolder>/notarella-<user>.channel", the user name
    // percent-encoded; empty when `runtimeFolder` is no absolute path.
    static QString serverNameFor(const QString &runtimeFolder, const QString &userName);
    // The name for the current user in the user's private runtime folder.
    static QString serverName();

    // Starts listening at `name`. Only the copy that holds the instance lock
    // calls this, so a socket file left at `name` is a dead copy's and goes.
    // Listening goes on after a failed accept and when the socket file was
    // removed: the socket is made again.
    bool listen(const QString &name);
    bool isListening() const;
    // Clients connected right now.
    int clientCount() const { return int(m_clients.size()); }

    // Hands `request` to the copy listening at `name`. Waits for the answer
    // as long as that copy runs; `connectTimeoutMs` bounds only the connect.
    static Outcome deliver(const QString &name, Request request, const QString &text = QString(),
                           int connectTimeoutMs = 5000);
    // As deliver(), but while nobody listens at `name` and `copyStarting`
    // says a copy is on its way (it holds the instance lock and will listen
    // once its notes are loaded), tries again for at most `waitMs`.
    static Outcome deliverWhenListening(const QString &name, Request request, const QString &text,
                                        const std::function<bool()> &copyStarting,
                                        int waitMs = 30000);

signals:
    void newNoteRequested(const QString &text);
    void showPanelRequested();
    void importRequested(const QString &path);
    // `folder` as the second start made it absolute; empty turns sync off.
    void syncFolderRequested(const QString &folder);
    void toggleRequested();
    // A note of the text selected on this copy's screen.
    void newNoteFromSelectionRequested();

private:
    bool startServer();
    void checkServer();
    void adopt(QLocalSocket *socket);
    void letGo(QLocalSocket *socket);
    void readRequest(QLocalSocket *socket);

    QString m_name;
    QLocalServer *m_server = nullptr;
    QTimer *m_watch = nullptr;
    // The socket file as made, to notice it was removed or replaced.
    QFileInfo m_socketFile;
    qint64 m_socketInode = 0;
    // Oldest first: a client beyond kMaxClients replaces the oldest.
    QList<QLocalSocket *> m_clients;
};
