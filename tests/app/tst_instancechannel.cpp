// A second start hands its request to the copy already running: through the
// channel itself, and with the real program on both ends.

#include "app/instancechannel.h"
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
                                             text);
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
    QVERIFY(!InstanceChannel::deliver(m_name, InstanceChannel::Request::NewNote, "lost"));
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
            2000);
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

QTEST_MAIN(TestInstanceChannel)
#include "tst_instancechannel.moc"
