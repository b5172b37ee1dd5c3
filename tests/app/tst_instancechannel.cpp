// A second start hands its request to the copy already running: through the
// channel itself, and with the real program on both ends.

#include "app/instancechannel.h"
#include "platform/nativesettings.h"
#include "platform/username.h"
#include "programrun.h"
#include "sandboxstate.h"
#include "testappfolder.h"

#include <QLocalSocket>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextDocument>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <thread>

#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs `work` on a thread of its own while this thread's event loop serves
// the channel, and returns once it is done.
template <typename Work> bool runBeside(Work work, int timeoutMs = 10000)
{
    std::atomic<bool> done = false;
    std::thread thread([&] {
        work();
        done = true;
    });
    const bool finished = QTest::qWaitFor([&] { return done.load(); }, timeoutMs);
    thread.join();
    return finished;
}

// The plain texts of the notes stored in `file`.
QStringList storedNoteTexts(const QString &file)
{
    QStringList texts;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "reader");
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(db);
        if (db.open() && query.exec(QStringLiteral("SELECT message FROM stickies"))) {
            while (query.next()) {
                QTextDocument document;
                document.setHtml(query.value(0).toString());
                texts << document.toPlainText();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("reader"));
    return texts;
}

bool startAndWait(ProgramRun &run)
{
    return run.start() && run.waitForStderr(ProgramRun::kStartedLine, 20000);
}

void terminate(ProgramRun &run)
{
    QVERIFY(run.sendSignal(SIGTERM));
    QVERIFY2(run.waitForExit(10000), qPrintable(run.standardError()));
    QCOMPARE(run.exitCode(), 0);
}

const QString kWarningTitle = QStringLiteral("already running");

// A plain local socket connected to `name`, or -1. The connect waits at most
// a few seconds for the listener to take it.
int connectRaw(const QString &name)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const timeval wait = {3, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A process of user "nobody" that listens at `name`, takes one client,
// reads what it sends for up to two seconds, answers "ok" and reports the
// number of bytes it got through `report`. Returns its process id.
pid_t listenAsNobody(const QString &name, int report)
{
    const QByteArray path = QFile::encodeName(name);
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    if (::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(2);
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    if (::bind(server, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::chmod(path.constData(), 0777) != 0 || ::listen(server, 4) != 0)
        ::_exit(3);
    const int client = ::accept(server, nullptr, nullptr);
    long received = 0;
    pollfd wait = {client, POLLIN, 0};
    char buffer[4096];
    while (::poll(&wait, 1, 2000) > 0) {
        const ssize_t got = ::read(client, buffer, sizeof buffer);
        if (got <= 0)
            break;
        received += got;
        if (received > 8)
            ::send(client, "ok\n", 3, MSG_NOSIGNAL);
    }
    ::write(report, &received, sizeof received);
    ::_exit(0);
}

// Sets the soft limit of open files; returns the one before.
rlim_t setOpenFileLimit(rlim_t limit)
{
    rlimit current = {};
    ::getrlimit(RLIMIT_NOFILE, &current);
    const rlim_t before = current.rlim_cur;
    current.rlim_cur = std::min(limit, current.rlim_max);
    ::setrlimit(RLIMIT_NOFILE, &current);
    return before;
}

} // namespace

class TestInstanceChannel : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void requestsReachTheListener_data();
    void requestsReachTheListener();
    void strangeRequestsAreRefused_data();
    void strangeRequestsAreRefused();
    void noListenerMeansNoDelivery();
    void requestWaitsForACopyStillStarting_data();
    void requestWaitsForACopyStillStarting();

    void secondStartHandsOverItsRequest_data();
    void secondStartHandsOverItsRequest();
    void firstStartCarriesOutItsOwnRequest();
    void secondStartWaitsForTheFirstToListen();

    void socketOfAnotherUserGetsNothing();
    void clientOfAnotherUserIsRefused();
    void vanishedSocketIsMadeAgain();
    void idleClientsDoNotCloseTheChannel();
    void importGoesToTheRunningCopy();
    void syncFolderGoesToTheRunningCopy_data();
    void syncFolderGoesToTheRunningCopy();

private:
    QString m_name;
};

void TestInstanceChannel::init()
{
    SandboxState::reset();
    m_name = InstanceChannel::serverNameFor(
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
        QStringLiteral("tester"));
}

void TestInstanceChannel::requestsReachTheListener_data()
{
    QTest::addColumn<bool>("newNote");
    QTest::addColumn<QString>("text");

    QTest::newRow("new note") << true << "Buy milk";
    QTest::newRow("new note without text") << true << "";
    QTest::newRow("new note, accents and lines") << true << "Crème\nbrûlée ✓";
    QTest::newRow("new note, long text") << true << QString(200000, QLatin1Char('x'));
    QTest::newRow("show panel") << false << "";
}

void TestInstanceChannel::requestsReachTheListener()
{
    QFETCH(bool, newNote);
    QFETCH(QString, text);

    InstanceChannel channel;
    QVERIFY(channel.listen(m_name));
    QSignalSpy notes(&channel, &InstanceChannel::newNoteRequested);
    QSignalSpy panels(&channel, &InstanceChannel::showPanelRequested);

    bool delivered = false;
    QVERIFY(runBeside([&] {
        delivered = InstanceChannel::deliver(m_name,
                                             newNote ? InstanceChannel::Request::NewNote
                                                     : InstanceChannel::Request::ShowPanel,
                                             text) == InstanceChannel::Outcome::Delivered;
    }));
    QVERIFY(delivered);
    QCOMPARE(notes.size(), newNote ? 1 : 0);
    QCOMPARE(panels.size(), newNote ? 0 : 1);
    if (newNote)
        QCOMPARE(notes.first().first().toString(), text);
}

void TestInstanceChannel::strangeRequestsAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("answer");

    QByteArray unknown;
    {
        QDataStream stream(&unknown, QIODevice::WriteOnly);
        stream << QStringLiteral("delete-all-notes") << QString();
    }
    QTest::newRow("unknown command") << unknown << QByteArray("refused\n");
    // A text of an odd number of bytes is no text: refused at once, not
    // waited on until the client is let go.
    QByteArray odd;
    {
        QDataStream stream(&odd, QIODevice::WriteOnly);
        stream << QStringLiteral("new-note");
    }
    QTest::newRow("odd text") << odd + QByteArray("\0\0\0\x03" "abc", 7) << QByteArray("refused\n");
    // A text that claims to be huge, and keeps coming: dropped without an
    // answer once it passes what any request of ours can be.
    QTest::newRow("flood") << QByteArray("\x7f\xff\xff\xf0", 4) + QByteArray(3 * 1024 * 1024, 'a')
                           << QByteArray();
}

void TestInstanceChannel::strangeRequestsAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, answer);

    InstanceChannel channel;
    QVERIFY(channel.listen(m_name));
    QSignalSpy notes(&channel, &InstanceChannel::newNoteRequested);
    QSignalSpy panels(&channel, &InstanceChannel::showPanelRequested);

    QByteArray received;
    bool connected = false;
    QVERIFY(runBeside([&] {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        connected = socket.waitForConnected(3000);
        socket.write(bytes);
        while (socket.waitForBytesWritten(3000)) {
        }
        while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(3000))
            received += socket.readAll();
        received += socket.readAll();
    }));
    QVERIFY(connected);
    QCOMPARE(received, answer);
    QCOMPARE(notes.size() + panels.size(), 0);
}

void TestInstanceChannel::noListenerMeansNoDelivery()
{
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(InstanceChannel::deliver(m_name, InstanceChannel::Request::NewNote, "lost"),
             InstanceChannel::Outcome::NobodyListens);
    // Nobody listens: the answer comes at once, not after the time-out.
    QVERIFY(timer.elapsed() < 2000);
}

void TestInstanceChannel::requestWaitsForACopyStillStarting_data()
{
    QTest::addColumn<bool>("copyStarting");
    QTest::addColumn<int>("listenAfterMs"); // -1: never
    QTest::addColumn<bool>("delivered");
    QTest::newRow("copy listens a moment later") << true << 600 << true;
    QTest::newRow("copy never listens") << true << -1 << false;
    QTest::newRow("no copy starting") << false << 600 << false;
}

void TestInstanceChannel::requestWaitsForACopyStillStarting()
{
    QFETCH(bool, copyStarting);
    QFETCH(int, listenAfterMs);
    QFETCH(bool, delivered);

    InstanceChannel channel;
    QSignalSpy notes(&channel, &InstanceChannel::newNoteRequested);
    if (listenAfterMs >= 0)
        QTimer::singleShot(listenAfterMs, &channel, [&] { QVERIFY(channel.listen(m_name)); });
    std::atomic<int> asked = 0;
    bool result = !delivered;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(runBeside([&] {
        result = InstanceChannel::deliverWhenListening(
                     m_name, InstanceChannel::Request::NewNote, "Later",
                     [&] {
                         ++asked;
                         return copyStarting;
                     },
                     2000) == InstanceChannel::Outcome::Delivered;
    }));
    QCOMPARE(result, delivered);
    QCOMPARE(notes.size(), delivered ? 1 : 0);
    QVERIFY(asked > 0);
    if (delivered)
        QVERIFY(timer.elapsed() >= listenAfterMs);
    else if (!copyStarting)
        QVERIFY(timer.elapsed() < 1000); // gives up at once
}

void TestInstanceChannel::secondStartHandsOverItsRequest_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expectedTrace"); // in the running copy, once more
    QTest::addColumn<QString>("storedText");    // a note the running copy then stores

    QTest::newRow("new note") << QStringList{"--new-note", "Milk & <honey>"}
                              << "MainWindow::createSticky("
                              << "Milk & <honey>";
    QTest::newRow("show panel") << QStringList{"--show-panel"} << "MainWindow::showControlPanel()"
                                << "";
    QTest::newRow("toggle") << QStringList{"--toggle"} << "MainWindow::toggleNotes()"
                            << "";
    // One word as long as one argument may be: laid out with word-boundary
    // breaking it froze the running copy past the client's wait.
    const QString word(131000, QLatin1Char('w'));
    QTest::newRow("one very long word")
        << QStringList{"--new-note", word} << "MainWindow::createSticky(" << word;
}

void TestInstanceChannel::secondStartHandsOverItsRequest()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expectedTrace);
    QFETCH(QString, storedText);

    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    ProgramRun first(folder.executable());
    QVERIFY2(startAndWait(first), qPrintable(first.standardError()));
    const qsizetype tracesBefore = first.standardError().count(expectedTrace);

    ProgramRun second(folder.executable(), arguments);
    QVERIFY(second.start());
    QVERIFY2(second.waitForExit(15000), qPrintable(second.standardError()));
    QCOMPARE(second.exitCode(), 0);
    QVERIFY2(!second.standardError().contains(kWarningTitle), qPrintable(second.standardError()));
    QVERIFY2(!second.standardError().contains(ProgramRun::kStartedLine),
             qPrintable(second.standardError()));

    QVERIFY2(QTest::qWaitFor(
                 [&] { return first.standardError().count(expectedTrace) > tracesBefore; }, 10000),
             qPrintable(first.standardError()));
    // A new note is in the note file at once, not after the next minute's
    // save: a crash now would not take it.
    if (!storedText.isEmpty()) {
        const QString file = folder.databaseFile(Platform::currentUserName());
        QVERIFY(QTest::qWaitFor([&] { return storedNoteTexts(file).contains(storedText); }, 5000));
    }
    terminate(first);
    const QStringList texts = storedNoteTexts(folder.databaseFile(Platform::currentUserName()));
    QCOMPARE(texts.size(), storedText.isEmpty() ? 1 : 2); // the welcome note first
    if (!storedText.isEmpty())
        QCOMPARE(texts.last(), storedText);
}

void TestInstanceChannel::firstStartCarriesOutItsOwnRequest()
{
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    ProgramRun run(folder.executable(), {"--new-note", "Alone"});
    QVERIFY2(startAndWait(run), qPrintable(run.standardError()));
    QVERIFY(run.waitForStderr(QStringLiteral("MainWindow::createSticky("), 10000));
    // The copy now running takes the requests of the next starts.
    QVERIFY(run.waitForStderr(QStringLiteral("InstanceChannel: listening at")));
    terminate(run);
    const QStringList texts = storedNoteTexts(folder.databaseFile(Platform::currentUserName()));
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts.last(), QStringLiteral("Alone"));
}

void TestInstanceChannel::secondStartWaitsForTheFirstToListen()
{
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    ProgramRun first(folder.executable());
    QVERIFY(first.start());
    // Held still right after it took the lock, before it listens.
    QVERIFY2(first.waitForStderr(QStringLiteral("+-- instance lock"), 20000),
             qPrintable(first.standardError()));
    QVERIFY(first.sendSignal(SIGSTOP));
    QTest::qWait(200);
    if (first.standardError().contains(QStringLiteral("InstanceChannel: listening at"))) {
        first.sendSignal(SIGCONT);
        terminate(first);
        QSKIP("the first copy was listening before it could be held");
    }

    ProgramRun second(folder.executable(), {"--new-note", "Arrived early"});
    QVERIFY(second.start());
    QVERIFY(!second.waitForExit(1500)); // waiting, neither warning nor starting
    QVERIFY(first.sendSignal(SIGCONT));
    QVERIFY2(second.waitForExit(20000), qPrintable(second.standardError()));
    QCOMPARE(second.exitCode(), 0);
    QVERIFY2(!second.standardError().contains(kWarningTitle), qPrintable(second.standardError()));
    QVERIFY2(!second.standardError().contains(ProgramRun::kStartedLine),
             qPrintable(second.standardError()));
    QVERIFY(first.waitForStderr(QStringLiteral("MainWindow::createSticky("), 10000));
    terminate(first);
    const QStringList texts = storedNoteTexts(folder.databaseFile(Platform::currentUserName()));
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts.last(), QStringLiteral("Arrived early"));
}

void TestInstanceChannel::socketOfAnotherUserGetsNothing()
{
    if (geteuid() != 0)
        QSKIP("another user's listener needs root");
    QTemporaryDir folder;
    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOther | QFile::WriteOther |
                                                     QFile::ExeOther | QFile::ReadOwner |
                                                     QFile::WriteOwner | QFile::ExeOwner));
    const QString name = folder.filePath(QStringLiteral("notarella-tester.channel"));
    int report[2];
    QCOMPARE(::pipe(report), 0);
    const pid_t listener = listenAsNobody(name, report[1]);
    QVERIFY(QTest::qWaitFor([&] { return QFileInfo::exists(name); }, 5000));

    const auto outcome =
        InstanceChannel::deliver(name, InstanceChannel::Request::NewNote, QStringLiteral("secret"));
    QCOMPARE(outcome, InstanceChannel::Outcome::NobodyListens);
    long received = -1;
    QCOMPARE(::read(report[0], &received, sizeof received), ssize_t(sizeof received));
    QCOMPARE(received, 0L); // not a byte of the note
    int status = 0;
    ::waitpid(listener, &status, 0);
    ::close(report[0]);
    ::close(report[1]);
}

void TestInstanceChannel::clientOfAnotherUserIsRefused()
{
    if (geteuid() != 0)
        QSKIP("another user's client needs root");
    QTemporaryDir folder;
    QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(), 0755) == 0);
    const QString name = folder.filePath(QStringLiteral("notarella-tester.channel"));
    InstanceChannel channel;
    QVERIFY(channel.listen(name));
    QSignalSpy notes(&channel, &InstanceChannel::newNoteRequested);
    // Opened to everyone, as a mistaken or hostile set-up would have it.
    QVERIFY(::chmod(QFile::encodeName(name).constData(), 0777) == 0);

    QByteArray request;
    {
        QDataStream stream(&request, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_6_0);
        stream << QStringLiteral("new-note") << QStringLiteral("planted");
    }
    const pid_t client = ::fork();
    if (client == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const int fd = connectRaw(name);
        if (fd < 0)
            ::_exit(3);
        ::send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL);
        char answer[16];
        ::read(fd, answer, sizeof answer);
        ::_exit(0);
    }
    int status = -1;
    QVERIFY(QTest::qWaitFor([&] { return ::waitpid(client, &status, WNOHANG) == client; }, 10000));
    QCOMPARE(WEXITSTATUS(status), 0); // it did connect and send
    QTest::qWait(200);
    QCOMPARE(notes.size(), 0);
}

void TestInstanceChannel::vanishedSocketIsMadeAgain()
{
    InstanceChannel channel;
    QVERIFY(channel.listen(m_name));
    QVERIFY(QFile::remove(m_name));
    QVERIFY(QTest::qWaitFor([&] { return QFileInfo::exists(m_name); },
                            3 * InstanceChannel::kWatchIntervalMs));
    QSignalSpy notes(&channel, &InstanceChannel::newNoteRequested);
    InstanceChannel::Outcome outcome = InstanceChannel::Outcome::NobodyListens;
    QVERIFY(runBeside([&] {
        outcome = InstanceChannel::deliver(m_name, InstanceChannel::Request::NewNote, "again");
    }));
    QCOMPARE(outcome, InstanceChannel::Outcome::Delivered);
    QCOMPARE(notes.size(), 1);
}

void TestInstanceChannel::idleClientsDoNotCloseTheChannel()
{
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    // The running copy gets the usual limit of 1,024 open files; the flood
    // below opens more connections than that.
    const rlim_t limit = setOpenFileLimit(1024);
    ProgramRun first(folder.executable());
    const bool started = startAndWait(first);
    setOpenFileLimit(limit);
    QVERIFY2(started, qPrintable(first.standardError()));
    QVERIFY(first.waitForStderr(QStringLiteral("InstanceChannel: listening at")));
    const QString name = InstanceChannel::serverName();

    QList<int> idle;
    for (int i = 0; i < 1100; ++i) {
        const int fd = connectRaw(name);
        if (fd >= 0)
            idle.append(fd);
    }
    QVERIFY(idle.size() > 1024);

    ProgramRun second(folder.executable(), {"--new-note", "After the flood"});
    QVERIFY(second.start());
    const bool ended = second.waitForExit(40000);
    for (const int fd : std::as_const(idle))
        ::close(fd);
    QVERIFY2(ended, qPrintable(second.standardError()));
    QCOMPARE(second.exitCode(), 0);
    QVERIFY2(!second.standardError().contains(kWarningTitle), qPrintable(second.standardError()));
    QVERIFY2(!second.standardError().contains(ProgramRun::kStartedLine),
             qPrintable(second.standardError()));
    const QString file = folder.databaseFile(Platform::currentUserName());
    QVERIFY(QTest::qWaitFor(
        [&] { return storedNoteTexts(file).contains(QStringLiteral("After the flood")); }, 10000));
    terminate(first);
}

void TestInstanceChannel::importGoesToTheRunningCopy()
{
    // A note file of another installation, with one note of its own.
    TestAppFolder source;
    QVERIFY2(source.isValid(), qPrintable(source.errorString()));
    {
        ProgramRun other(source.executable(), {"--new-note", "From elsewhere"});
        QVERIFY2(startAndWait(other), qPrintable(other.standardError()));
        QVERIFY(other.waitForStderr(QStringLiteral("MainWindow::createSticky(")));
        terminate(other);
    }
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    ProgramRun first(folder.executable());
    QVERIFY2(startAndWait(first), qPrintable(first.standardError()));

    ProgramRun second(folder.executable(),
                      {"--import", source.databaseFile(Platform::currentUserName())});
    QVERIFY(second.start());
    QVERIFY2(second.waitForExit(15000), qPrintable(second.standardError()));
    QCOMPARE(second.exitCode(), 0);
    QVERIFY2(!second.standardError().contains(ProgramRun::kStartedLine),
             qPrintable(second.standardError()));
    const QString file = folder.databaseFile(Platform::currentUserName());
    QVERIFY2(QTest::qWaitFor(
                 [&] { return storedNoteTexts(file).contains(QStringLiteral("From elsewhere")); },
                 10000),
             qPrintable(first.standardError()));
    terminate(first);
}

void TestInstanceChannel::syncFolderGoesToTheRunningCopy_data()
{
    QTest::addColumn<bool>("copyRunning");
    QTest::addColumn<QString>("given");    // relative to the application folder
    QTest::addColumn<QString>("expected"); // the setting afterwards; "@" for the folder
    QTest::newRow("to the running copy") << true << "Sync here"
                                         << "@/Sync here";
    QTest::newRow("empty turns off") << true << ""
                                     << "";
    QTest::newRow("a file, refused") << true << "notarella"
                                     << "/mnt/before";
    QTest::newRow("no copy running") << false << "Sync here/"
                                     << "@/Sync here";
}

void TestInstanceChannel::syncFolderGoesToTheRunningCopy()
{
    QFETCH(bool, copyRunning);
    QFETCH(QString, given);
    QFETCH(QString, expected);
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    QVERIFY(QDir(folder.path()).mkdir("Sync here"));
    expected.replace("@", folder.path());
    const QString key = QStringLiteral("UserDefinedVariables/SyncFolder");
    const QString taken = QStringLiteral("MainWindow::setSyncFolder()");
    ProgramRun first(folder.executable());
    if (copyRunning) {
        QVERIFY2(startAndWait(first), qPrintable(first.standardError()));
        QVERIFY(NativeSettings::setValue(key, "/mnt/before"));
    }
    // Both run in the application folder: the second start hands over the
    // absolute path.
    ProgramRun second(folder.executable(), {"--sync-folder", given});
    QVERIFY(second.start());
    ProgramRun &running = copyRunning ? first : second;
    const bool refused = expected == "/mnt/before";
    if (!refused)
        QVERIFY2(running.waitForStderr(taken, 20000), qPrintable(running.standardError()));
    if (copyRunning) {
        QVERIFY2(second.waitForExit(15000), qPrintable(second.standardError()));
        QCOMPARE(second.exitCode(), refused ? 1 : 0);
    }
    if (refused) // the message names the folder; nothing reached the running copy
        QVERIFY(second.standardError().contains(folder.path() + "/" + given));
    QCOMPARE(NativeSettings::stringValue(key), expected);
    QCOMPARE(first.standardError().count(taken), int(copyRunning && !refused));
    terminate(running);
}

QTEST_MAIN(TestInstanceChannel)
#include "tst_instancechannel.moc"
