// The real program started from its own folder: what the first and the next
// starts leave behind, the fatal start-up failures and the signals that end
// it in order.

#include "platform/autostartentry.h"
#include "platform/nativesettings.h"
#include "programrun.h"
#include "sandboxstate.h"
#include "sqlrows.h"
#include "store/notedatabase.h"
#include "testappfolder.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <csignal>

namespace {

// The program also keeps a copy of each note file per day beside it.
QStringList withoutDailyCopies(QStringList names)
{
    names.removeIf([](const QString &name) { return name.contains(QLatin1String(".backup-")); });
    return names;
}

const QString kInspector = QStringLiteral("inspector");

struct DatabaseContent
{
    bool opened = false;
    QString schema;
    QList<QVariantList> stickies;
    QList<QVariantList> backup;
};

DatabaseContent readDatabase(const QString &file)
{
    DatabaseContent content;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kInspector);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        content.opened = QFileInfo(file).isFile() && db.open();
        if (content.opened) {
            QSqlQuery query(db);
            if (query.exec(
                    QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'stickies'")) &&
                query.next())
                content.schema = query.value(0).toString();
            content.stickies = queryRows(db, QStringLiteral("SELECT * FROM stickies"));
            content.backup = queryRows(db, QStringLiteral("SELECT * FROM stickies_backup"));
        }
    }
    QSqlDatabase::removeDatabase(kInspector);
    return content;
}

// Checks that `file` holds exactly the welcome note in both tables.
void verifyNewDatabase(const QString &file, qint64 notBefore, qint64 notAfter)
{
    const DatabaseContent content = readDatabase(file);
    QVERIFY2(content.opened, qPrintable(file));
    QCOMPARE(content.schema, NoteSchema::kCreateTableStatement);
    QCOMPARE(content.stickies.size(), 1);
    const QVariantList &row = content.stickies.first();
    QCOMPARE(row.size(), 16);
    QCOMPARE(row.at(0).toInt(), 1);
    QCOMPARE(row.at(1).toString(), QStringLiteral("YES"));
    QCOMPARE(row.at(2).toString(), QStringLiteral("#FFFF00"));
    QVERIFY(row.at(4).toLongLong() >= notBefore && row.at(4).toLongLong() <= notAfter);
    QCOMPARE(row.at(8).toString(), QStringLiteral("YES"));
    QCOMPARE(row.at(10).toString(), WelcomeNote::document());
    QCOMPARE(content.backup, content.stickies);
}

// Starts the program and waits until start-up is complete.
bool startAndWait(ProgramRun &run)
{
    if (!run.start())
        return false;
    if (run.waitForStderr(ProgramRun::kStartedLine, 15000))
        return true;
    qWarning().noquote() << "program did not finish start-up:\n" << run.standardError();
    return false;
}

// Ends the program with SIGTERM and checks it left in order.
void terminate(ProgramRun &run)
{
    QVERIFY(run.sendSignal(SIGTERM));
    QVERIFY2(run.waitForExit(10000), qPrintable(run.standardError()));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstStartCreatesTheDatabase_data();
    void firstStartCreatesTheDatabase();
    void secondStartInsertsNothing();
    void usersOfOneFolderGetOneFileEach();
    void fatalFailuresEndTheProgram_data();
    void fatalFailuresEndTheProgram();
    void signalsEndTheProgramInOrder_data();
    void signalsEndTheProgramInOrder();
    void signalDuringTheUpdateMessageEndsTheProgram();
    void traceLinesOnlyWhenAskedFor_data();
    void traceLinesOnlyWhenAskedFor();
};

void TestStartup::init()
{
    SandboxState::reset();
}

void TestStartup::firstStartCreatesTheDatabase_data()
{
    QTest::addColumn<QString>("folderPattern");
    QTest::addColumn<bool>("setUserName"); // USERNAME set, or only USER

    QTest::newRow("USERNAME") << "notarella-app-XXXXXX" << true;
    QTest::newRow("USER only") << "notarella-app-XXXXXX" << false;
    QTest::newRow("folder with blanks and signs") << "My Apps, 'n' Notes; $HOME %1 XXXXXX" << true;
}

void TestStartup::firstStartCreatesTheDatabase()
{
    QFETCH(QString, folderPattern);
    QFETCH(bool, setUserName);

    TestAppFolder folder(folderPattern);
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    QVERIFY(!QFileInfo::exists(folder.dataDirectory()));

    ProgramRun run(folder.executable());
    if (setUserName) {
        run.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("ann"));
        run.setEnvironmentValue(QStringLiteral("USER"), QStringLiteral("someone-else"));
    } else {
        run.removeEnvironmentValue(QStringLiteral("USERNAME"));
        run.setEnvironmentValue(QStringLiteral("USER"), QStringLiteral("ann"));
    }
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    QVERIFY(startAndWait(run));
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    QVERIFY(run.isRunning());

    QCOMPARE(withoutDailyCopies(
                 QDir(folder.dataDirectory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)),
             QStringList{QStringLiteral("ann")});
    verifyNewDatabase(folder.databaseFile(QStringLiteral("ann")), before, after);
    // Log-in start and the reminder sound name this copy of the program.
    QCOMPARE(AutostartEntry::executable(), folder.executable());
    QCOMPARE(
        NativeSettings::stringValue(QStringLiteral("UserDefinedVariables/ReminderNoticeSoundFile")),
        folder.path() + QStringLiteral("/audio/notice.wav"));
    terminate(run);
}

void TestStartup::secondStartInsertsNothing()
{
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    const QString database = folder.databaseFile(QStringLiteral("ann"));
    DatabaseContent first;
    {
        ProgramRun run(folder.executable());
        run.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("ann"));
        QVERIFY(startAndWait(run));
        terminate(run);
        first = readDatabase(database);
        QCOMPARE(first.stickies.size(), 1);
    }
    ProgramRun run(folder.executable());
    run.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("ann"));
    QVERIFY(startAndWait(run));
    QVERIFY(!run.standardError().contains(QLatin1String("Building Database table.")));
    terminate(run);
    const DatabaseContent second = readDatabase(database);
    QCOMPARE(second.schema, first.schema);
    // The welcome note is still the only note; each shutdown saved it again,
    // so the backup holds the same single note.
    QCOMPARE(second.stickies, first.stickies);
    QCOMPARE(second.backup.size(), 1);
    QCOMPARE(second.backup.first(), first.stickies.first());
}

void TestStartup::usersOfOneFolderGetOneFileEach()
{
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    const QStringList users = {QStringLiteral("ann"), QStringLiteral("bob"),
                               QStringLiteral("Jürgen Müller")};
    for (const QString &user : users) {
        ProgramRun run(folder.executable());
        run.setEnvironmentValue(QStringLiteral("USERNAME"), user);
        QVERIFY(startAndWait(run));
        terminate(run);
    }
    QStringList files = withoutDailyCopies(QDir(folder.dataDirectory()).entryList(QDir::Files));
    files.sort();
    QStringList expected = users;
    expected.sort();
    QCOMPARE(files, expected);
    for (const QString &user : users)
        QCOMPARE(readDatabase(folder.databaseFile(user)).stickies.size(), 1);
}

void TestStartup::fatalFailuresEndTheProgram_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("criticalLine");

    QTest::newRow("file where the data directory belongs")
        << "directory-is-file"
        << "Unable to create data storage directory!";
    QTest::newRow("folder where the database file belongs") << "database-is-folder"
                                                            << "Can't open the Sticky database!";
    QTest::newRow("file that is no database") << "database-is-text"
                                              << "Can't open the Sticky database!";
}

void TestStartup::fatalFailuresEndTheProgram()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, criticalLine);

    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    const QByteArray text = "not a database\n";
    const QString blocked = obstacle == QLatin1String("directory-is-file")
                                ? folder.dataDirectory()
                                : folder.databaseFile(QStringLiteral("ann"));
    if (obstacle == QLatin1String("database-is-folder")) {
        QVERIFY(QDir().mkpath(blocked));
    } else {
        QVERIFY(QDir().mkpath(QFileInfo(blocked).absolutePath()));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    ProgramRun run(folder.executable());
    run.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("ann"));
    QVERIFY(run.start());
    // The user is told and asked first; a signal meanwhile answers nothing,
    // and the program ends as it would on "No".
    QVERIFY2(run.waitForStderr(criticalLine, 5000), qPrintable(run.standardError()));
    QVERIFY2(run.waitForStderr(QStringLiteral("MainWindow::recoverUnopenedNotes()"), 5000),
             qPrintable(run.standardError()));
    QVERIFY(!run.waitForExit(300));
    QVERIFY(run.sendSignal(SIGTERM));
    QVERIFY2(run.waitForExit(5000), qPrintable(run.standardError()));
    const QString output = run.standardError();
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
    QVERIFY2(output.split(QLatin1Char('\n')).contains(criticalLine), qPrintable(output));
    // Start-up stopped there: no event loop, no shutdown path.
    QVERIFY2(!output.contains(ProgramRun::kStartedLine), qPrintable(output));
    QVERIFY2(!output.contains(QLatin1String("aboutToQuit")), qPrintable(output));

    if (obstacle == QLatin1String("database-is-folder")) {
        QVERIFY(QDir(blocked).isEmpty());
    } else {
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), text);
    }
}

void TestStartup::signalsEndTheProgramInOrder_data()
{
    QTest::addColumn<int>("signalNumber");

    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestStartup::signalsEndTheProgramInOrder()
{
    QFETCH(int, signalNumber);

    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    ProgramRun run(folder.executable());
    run.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("ann"));
    QVERIFY(startAndWait(run));
    QTest::qWait(200);
    QVERIFY(run.isRunning()); // nothing ends it by itself

    QElapsedTimer timer;
    timer.start();
    QVERIFY(run.sendSignal(signalNumber));
    QVERIFY2(run.waitForExit(10000), qPrintable(run.standardError()));
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);

    // The event loop was left and the shutdown ran in its order.
    const QString output = run.standardError();
    const qsizetype started = output.indexOf(ProgramRun::kStartedLine);
    const qsizetype shutdownStart =
        output.indexOf(QLatin1String("MainWindow::aboutToQuit() - start"));
    const qsizetype shutdownEnd = output.indexOf(QLatin1String("MainWindow::aboutToQuit() - end"));
    QVERIFY2(started >= 0 && shutdownStart > started && shutdownEnd > shutdownStart,
             qPrintable(output));
    QCOMPARE(output.count(QLatin1String("MainWindow::aboutToQuit() - start")), 1);
    // The notes are still there for the next start.
    QCOMPARE(readDatabase(folder.databaseFile(QStringLiteral("ann"))).stickies.size(), 1);
}

void TestStartup::signalDuringTheUpdateMessageEndsTheProgram()
{
    // Settings of an earlier version: start-up shows "Updating Notarella"
    // before the event loop runs, and nobody answers it.
    NativeSettings::setValue(QStringLiteral("Program/SoftwareVersion"), 10500);
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    ProgramRun run(folder.executable());
    run.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("ann"));
    QVERIFY(run.start());
    QVERIFY2(run.waitForStderr(QStringLiteral("VERSION CHANGE"), 15000),
             qPrintable(run.standardError()));
    QTest::qWait(500);
    QVERIFY(run.isRunning());
    QVERIFY(!run.standardError().contains(ProgramRun::kStartedLine)); // still in the message

    QVERIFY(run.sendSignal(SIGTERM));
    QVERIFY2(run.waitForExit(10000), qPrintable(run.standardError()));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
    QVERIFY2(run.standardError().contains(QLatin1String("MainWindow::aboutToQuit() - end")),
             qPrintable(run.standardError()));
    QCOMPARE(NativeSettings::intValue(QStringLiteral("Program/SoftwareVersion")), 10700);
}

void TestStartup::traceLinesOnlyWhenAskedFor_data()
{
    QTest::addColumn<QString>("traceSwitch"); // NOTARELLA_TRACE; "-" for unset
    QTest::addColumn<QString>("rules");       // QT_LOGGING_RULES; "-" for unset
    QTest::addColumn<bool>("appTrace");       // notarella.app debug lines
    QTest::addColumn<bool>("storeTrace");     // notarella.store debug lines

    QTest::newRow("by default none") << "-"
                                     << "-" << false << false;
    QTest::newRow("NOTARELLA_TRACE=0") << "0"
                                       << "-" << false << false;
    QTest::newRow("NOTARELLA_TRACE empty") << ""
                                           << "-" << false << false;
    QTest::newRow("NOTARELLA_TRACE=1") << "1"
                                       << "-" << true << true;
    QTest::newRow("the user's rules choose a channel")
        << "-"
        << "notarella.store.debug=true" << false << true;
    QTest::newRow("the user's rules win over NOTARELLA_TRACE")
        << "1"
        << "notarella.app.debug=false" << false << true;
}

// A session's trace names note texts and clicked links: by default not one
// debug line reaches stderr, while the warnings still do.
void TestStartup::traceLinesOnlyWhenAskedFor()
{
    QFETCH(QString, traceSwitch);
    QFETCH(QString, rules);
    QFETCH(bool, appTrace);
    QFETCH(bool, storeTrace);

    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    {
        ProgramRun first(folder.executable());
        first.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("ann"));
        QVERIFY(startAndWait(first));
        terminate(first);
    }
    // A new note in an unreadable colour is warned about (and made yellow).
    NativeSettings::setValue(QStringLiteral("UserDefinedVariables/DefaultRGB"),
                             QStringLiteral("no colour"));
    ProgramRun run(folder.executable(), {QStringLiteral("--new-note"), QStringLiteral("hello")});
    run.setEnvironmentValue(QStringLiteral("USERNAME"), QStringLiteral("ann"));
    run.setEnvironmentValue(QStringLiteral("QT_MESSAGE_PATTERN"),
                            QStringLiteral("%{type} %{category}: %{message}"));
    run.removeEnvironmentValue(QStringLiteral("QT_LOGGING_RULES"));
    run.removeEnvironmentValue(QStringLiteral("NOTARELLA_TRACE"));
    if (traceSwitch != QLatin1String("-"))
        run.setEnvironmentValue(QStringLiteral("NOTARELLA_TRACE"), traceSwitch);
    if (rules != QLatin1String("-"))
        run.setEnvironmentValue(QStringLiteral("QT_LOGGING_RULES"), rules);
    QVERIFY(run.start());
    QVERIFY2(
        run.waitForStderr(QStringLiteral("warning notarella.notes: unreadable note colour"), 15000),
        qPrintable(run.standardError()));
    terminate(run);

    const QStringList lines = run.standardError().split(QLatin1Char('\n'));
    const auto hasLine = [&lines](const QString &start) {
        return std::any_of(lines.cbegin(), lines.cend(),
                           [&start](const QString &line) { return line.startsWith(start); });
    };
    QCOMPARE(hasLine(QStringLiteral("debug notarella.app: MainWindow::MainWindow")), appTrace);
    QCOMPARE(hasLine(QStringLiteral("debug notarella.store: MainWindow::createSticky")),
             storeTrace);
    if (!appTrace && !storeTrace)
        QVERIFY2(!hasLine(QStringLiteral("debug ")), qPrintable(run.standardError()));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
