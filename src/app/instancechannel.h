#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

// The channel through which a second start of the program hands its request
// (a new note, the control panel) to the copy already running, instead of
// starting beside it. The running copy listens on a local socket in the
// user's runtime folder; a second start connects, sends one request and waits
// for the answer.
class InstanceChannel : public QObject
{
    Q_OBJECT
public:
    enum class Request
    {
        NewNote,
        ShowPanel
    };

    explicit InstanceChannel(QObject *parent = nullptr);
    ~InstanceChannel() override;

    // "<runtimeFolder>/notarella-<user>.channel", the user name percent-encoded.
    static QString serverNameFor(const QString &runtimeFolder, const QString &userName);
    // The name for the current user in the current runtime folder.
    static QString serverName();

    // Starts listening at `name`. Only the copy that holds the instance lock
    // calls this, so a socket file left at `name` is a dead copy's and goes.
    bool listen(const QString &name);

    // Hands `request` to the copy listening at `name` and waits at most
    // `timeoutMs` for it to confirm. False when no copy listens or none
    // answered in time.
    static bool deliver(const QString &name, Request request, const QString &text = QString(),
                        int timeoutMs = 5000);
    // As deliver(), but while nobody listens at `name` and `copyStarting`
    // says a copy is on its way (it holds the instance lock and will listen
    // once its notes are loaded), tries again for at most `waitMs`.
    static bool deliverWhenListening(const QString &name, Request request, const QString &text,
                                     const std::function<bool()> &copyStarting, int waitMs = 30000);

signals:
    void newNoteRequested(const QString &text);
    void showPanelRequested();

private:
    enum class Outcome
    {
        Delivered,
        NobodyListens,
        NotAnswered
    };
    static Outcome tryDeliver(const QString &name, Request request, const QString &text,
                              int timeoutMs);
    void readRequest(QLocalSocket *socket);

    QLocalServer *m_server = nullptr;
};
