// What the user hears when saving fails, works again, or the note file was
// tampered with or damaged; and where the notes go when the last save fails.

#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "store/notedatabase.h"
#include "ui/userprompt.h"
#include "widgets/trayicon.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

class TestSaveReports : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void failedSavesAreToldOncePerStreak();
    void lastSaveThatFailsGoesToARescueFile();
    void rescueShunsAFolderOfAnotherUser();
    void backgroundSaveFailureReachesTheUser();
    void endingWaitsForBackgroundSaves();
    void replacedFileIsReported();
    void damagedFileIsReportedWithTheCount();

private:
    void start();
    // Puts a folder where the note file is: the file can be neither opened
    // nor created again.
    void blockTheFile();
    QList<NoteRecord> storedNotes(const QString &file) const;

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestSaveReports::initTestCase()
{
    // As on a desktop with a tray: the control panel starts hidden and no
    // notice about a missing tray takes the focus.
    TrayIcon::setTrayAvailableForTesting(true);
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "tester");
}

void TestSaveReports::init()
{
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
    start();
}

void TestSaveReports::cleanup()
{
    m_window.reset();
    m_folder.reset();
    UserPrompt::takeHistory();
}

void TestSaveReports::start()
{
    m_window.reset();
    m_window = std::make_unique<MainWindow>();
    QVERIFY(!m_window->startupFailed());
    // The day's copy of the file, taken at start, is written before the
    // tests put anything in the file's way.
    m_window->waitForPendingSaves();
}

void TestSaveReports::blockTheFile()
{
    QVERIFY(QFile::remove(m_window->databaseFile()));
    QVERIFY(QDir().mkpath(m_window->databaseFile() + QStringLiteral("/blocked")));
}

QList<NoteRecord> TestSaveReports::storedNotes(const QString &file) const
{
    NoteDatabase database(QStringLiteral("reader"));
    if (database.open(QFileInfo(file).absolutePath(), file) != NoteDatabase::OpenResult::Opened)
        return {};
    return database.load();
}

void TestSaveReports::failedSavesAreToldOncePerStreak()
{
    UserPrompt::takeHistory();
    m_window->saveStickies();
    QVERIFY(UserPrompt::takeHistory().isEmpty());

    blockTheFile();
    for (int tick = 0; tick < 3; ++tick)
        m_window->saveStickies();
    QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Notes Not Saved"));
    QVERIFY2(shown.first().text.contains(QDir::toNativeSeparators(m_window->databaseFile())),
             qPrintable(shown.first().text));
    QVERIFY(shown.first().text.contains(QStringLiteral("is in its place")));

    // The notes stayed in memory; the first save that works writes them.
    stickyList.first()->textBrowser()->setPlainText(QStringLiteral("kept through the failure"));
    QVERIFY(QDir(m_window->databaseFile()).removeRecursively());
    m_window->saveStickies();
    m_window->saveStickies();
    shown = UserPrompt::takeHistory();
    QStringList titles;
    for (const UserPrompt::Record &record : std::as_const(shown))
        titles << record.title;
    QCOMPARE(titles, QStringList({QStringLiteral("Notes Saved Again")}));
    const QList<NoteRecord> stored = storedNotes(m_window->databaseFile());
    QCOMPARE(stored.size(), 1);
    QVERIFY(stored.first().message.contains(QStringLiteral("kept through the failure")));
}

void TestSaveReports::lastSaveThatFailsGoesToARescueFile()
{
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                       QStringLiteral("Pink"));
    stickyList.last()->textBrowser()->setPlainText(QStringLiteral("only in memory"));
    blockTheFile();
    UserPrompt::takeHistory();
    UserPrompt::queueAnswer(QMessageBox::Ok);
    MainWindowTestAccess::saveAtExit(*m_window);

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Notarella");
    const QStringList rescued =
        QDir(folder).entryList({QStringLiteral("tester.rescued-*")}, QDir::Files);
    QCOMPARE(rescued.size(), 1);
    const QString rescue = folder + QLatin1Char('/') + rescued.first();
    const QList<NoteRecord> stored = storedNotes(rescue);
    QCOMPARE(stored.size(), 2);
    QVERIFY(stored.last().message.contains(QStringLiteral("only in memory")));

    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.last().title, QStringLiteral("Notes Saved Elsewhere"));
    QVERIFY2(shown.last().text.contains(QDir::toNativeSeparators(rescue)),
             qPrintable(shown.last().text));
}

void TestSaveReports::rescueShunsAFolderOfAnotherUser()
{
    if (::geteuid() != 0)
        QSKIP("making a folder of another user needs root");
    // Another user made the folder the rescue copy would go to first.
    const QString foreign = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/Notarella");
    QDir(foreign).removeRecursively(); // what earlier tests left
    QVERIFY(QDir().mkpath(foreign));
    QVERIFY(::chmod(QFile::encodeName(foreign).constData(), 0755) == 0);
    QVERIFY(::chown(QFile::encodeName(foreign).constData(), 65534, 65534) == 0);
    stickyList.first()->textBrowser()->setPlainText(QStringLiteral("secret"));
    blockTheFile();
    UserPrompt::takeHistory();
    UserPrompt::queueAnswer(QMessageBox::Ok);
    MainWindowTestAccess::saveAtExit(*m_window);

    QCOMPARE(QDir(foreign).entryList(QDir::Files | QDir::Hidden), QStringList());
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.last().title, QStringLiteral("Notes Saved Elsewhere"));
    const QStringList rescued = QDir(m_window->dataDirectory())
                                    .entryList({QStringLiteral("tester.rescued-*")}, QDir::Files);
    QCOMPARE(rescued.size(), 1);
    const QString rescue = QDir(m_window->dataDirectory()).filePath(rescued.first());
    QVERIFY2(shown.last().text.contains(QDir::toNativeSeparators(rescue)),
             qPrintable(shown.last().text));
    QVERIFY(storedNotes(rescue).first().message.contains(QStringLiteral("secret")));
    struct stat status = {};
    QCOMPARE(::stat(QFile::encodeName(rescue).constData(), &status), 0);
    QCOMPARE(int(status.st_mode & 0777), 0600);
}

void TestSaveReports::backgroundSaveFailureReachesTheUser()
{
    blockTheFile();
    UserPrompt::takeHistory();
    m_window->saveStickiesInBackground();
    m_window->saveStickiesInBackground();
    QList<UserPrompt::Record> shown;
    QTRY_VERIFY((shown += UserPrompt::takeHistory()).size() >= 1);
    QTest::qWait(50); // the second outcome arrives too, and says nothing new
    shown += UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Notes Not Saved"));
}

void TestSaveReports::endingWaitsForBackgroundSaves()
{
    const QString file = m_window->databaseFile();
    for (int i = 0; i < 30; ++i)
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
    stickyList.last()->textBrowser()->setPlainText(QStringLiteral("handed over last"));
    m_window->saveStickiesInBackground();
    m_window.reset();
    const QList<NoteRecord> stored = storedNotes(file);
    QCOMPARE(stored.size(), 31);
    QVERIFY(stored.last().message.contains(QStringLiteral("handed over last")));
}

void TestSaveReports::replacedFileIsReported()
{
    const QString file = m_window->databaseFile();
    QVERIFY(NoteDatabase::writeCopy(file + QStringLiteral(".other"), {}, nullptr));
    QVERIFY(QFile::remove(file));
    QVERIFY(QFile::rename(file + QStringLiteral(".other"), file));
    UserPrompt::takeHistory();
    m_window->saveStickies();
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Note File Replaced"));
    const QStringList kept = QDir(QFileInfo(file).absolutePath())
                                 .entryList({QStringLiteral("tester.replaced-*")}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY(shown.first().text.contains(kept.first()));
    QCOMPARE(storedNotes(file).size(), 1);
}

void TestSaveReports::damagedFileIsReportedWithTheCount()
{
    const QString file = m_window->databaseFile();
    m_window.reset();
    // Garbage over every page after the schema: no note can be read.
    QFile damaged(file);
    QVERIFY(damaged.open(QIODevice::ReadWrite));
    const qint64 size = damaged.size();
    QVERIFY(size > 4096);
    damaged.seek(4096);
    damaged.write(QByteArray(size - 4096, char(0x5a)));
    damaged.close();

    UserPrompt::takeHistory();
    start();
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Note File Damaged"));
    QVERIFY2(shown.first().text.contains(QStringLiteral("one note could not be read")),
             qPrintable(shown.first().text));
    QVERIFY(shown.first().text.contains(QStringLiteral("tester.damaged-")));
}

QTEST_MAIN(TestSaveReports)
#include "tst_savereports.moc"
