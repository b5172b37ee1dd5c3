// The control panel's copies of the note file: the daily copy at start,
// "Back up now…", and restoring a copy into the running program.

#include "app/backupcommands.h"
#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "deletednotesdriving.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "store/notebackups.h"
#include "store/notedatabase.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>
#include <unistd.h>

class TestMainWindowBackups : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startTakesTheDailyCopyAndKeepsSeven();
    void backUpNowHoldsTheNotesOnScreen();
    void restoreAnswers_data();
    void restoreAnswers();
    void restoreWithoutCopiesSaysSo();
    void deletedNotesGoWithCopiesAndRestore();
    void unreadableFileAtStart_data();
    void unreadableFileAtStart();
    void endlessCopyIsNeverOffered();

private:
    void start();
    QAction *action(const char *name) const;
    QStringList texts() const;
    static QList<NoteRecord> storedNotes(const QString &file);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindowBackups::initTestCase()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "tester");
    StandardDialogs::setAnswerOnlyFromQueue(true);
}

void TestMainWindowBackups::init()
{
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
}

void TestMainWindowBackups::cleanup()
{
    m_window.reset();
    m_folder.reset();
    UserPrompt::takeHistory();
    StandardDialogs::clearAnswers();
    StandardDialogs::takeHistory();
}

void TestMainWindowBackups::start()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(!m_window->startupFailed());
    m_window->waitForPendingSaves();
    UserPrompt::takeHistory();
}

QAction *TestMainWindowBackups::action(const char *name) const
{
    return m_window->notesMenu()->findChild<QAction *>(QString::fromLatin1(name));
}

QStringList TestMainWindowBackups::texts() const
{
    QStringList result;
    for (const StickyWidget *sticky : std::as_const(stickyList))
        result << sticky->textBrowser()->toPlainText();
    return result;
}

QList<NoteRecord> TestMainWindowBackups::storedNotes(const QString &file)
{
    NoteDatabase database(QStringLiteral("reader"));
    if (database.open(QFileInfo(file).absolutePath(), file) != NoteDatabase::OpenResult::Opened)
        return {};
    return database.load();
}

void TestMainWindowBackups::startTakesTheDailyCopyAndKeepsSeven()
{
    // Copies of earlier days, as an earlier run left them.
    const QString file = m_folder->path() + QStringLiteral("/.NotarellaData/tester");
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    const QDate today = QDate::currentDate();
    for (int day = 1; day <= 9; ++day) {
        QFile copy(NoteBackups::dailyName(file, today.addDays(-day)));
        QVERIFY(copy.open(QIODevice::WriteOnly));
    }
    start();
    QCOMPARE(m_window->databaseFile(), file);
    const QList<NoteBackups::Copy> copies = NoteBackups::list(file);
    QCOMPARE(copies.size(), BackupCommands::kDailyCopiesKept);
    QCOMPARE(copies.first().taken.date(), today);
    QCOMPARE(copies.first().notes, 1); // the welcome note
    QCOMPARE(copies.last().taken.date(), today.addDays(-6));

    // A second start on the same day keeps the day's first copy.
    stickyList.first()->textBrowser()->setPlainText(QStringLiteral("changed later"));
    m_window.reset();
    start();
    QVERIFY(!storedNotes(copies.first().file).first().message.contains("changed later"));
    QVERIFY(UserPrompt::takeHistory().isEmpty());
}

void TestMainWindowBackups::backUpNowHoldsTheNotesOnScreen()
{
    start();
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                       QStringLiteral("Pink"));
    stickyList.last()->textBrowser()->setPlainText(QStringLiteral("not saved yet"));
    QAction *backUp = action("backUpNowAction");
    QVERIFY(backUp);
    QCOMPARE(backUp->text(), QStringLiteral("&Back up now…"));
    UserPrompt::queueAnswer(QMessageBox::Ok);
    backUp->trigger();

    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Backup Written"));
    QList<NoteBackups::Copy> byHand;
    for (const NoteBackups::Copy &copy : NoteBackups::list(m_window->databaseFile())) {
        if (copy.kind == NoteBackups::Kind::ByHand)
            byHand << copy;
    }
    QCOMPARE(byHand.size(), 1);
    QVERIFY(shown.first().text.contains(QDir::toNativeSeparators(byHand.first().file)));
    const QList<NoteRecord> stored = storedNotes(byHand.first().file);
    QCOMPARE(stored.size(), 2);
    QVERIFY(stored.last().message.contains(QStringLiteral("not saved yet")));
    QCOMPARE(stored.last().colorName, QStringLiteral("Pink"));
}

void TestMainWindowBackups::restoreAnswers_data()
{
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("restored") << true << true;
    QTest::newRow("not confirmed") << true << false;
    QTest::newRow("no copy chosen") << false << false;
}

void TestMainWindowBackups::restoreAnswers()
{
    QFETCH(bool, chosen);
    QFETCH(bool, confirmed);
    start();
    stickyList.first()->textBrowser()->setPlainText(QStringLiteral("as backed up"));
    UserPrompt::queueAnswer(QMessageBox::Ok);
    action("backUpNowAction")->trigger();
    UserPrompt::takeHistory();
    // Work after the copy that a restore must not lose.
    stickyList.first()->textBrowser()->setPlainText(QStringLiteral("edited later"));
    for (int i = 0; i < 2; ++i)
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#ADD8E6"),
                                           QStringLiteral("Light Blue"));
    stickyList.last()->textBrowser()->setPlainText(QStringLiteral("new later"));

    const QList<NoteBackups::Copy> before = NoteBackups::list(m_window->databaseFile());
    QCOMPARE(before.size(), 2); // today's daily copy and the one by hand
    StandardDialogs::takeHistory();
    // The items are only known once asked: a first request, cancelled,
    // tells them; the newer copy by hand comes first.
    QString firstItem;
    {
        StandardDialogs::queueItem(std::nullopt);
        action("restoreFromBackupAction")->trigger();
        const QList<StandardDialogs::Request> asked = StandardDialogs::takeHistory();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().items.size(), 2);
        firstItem = asked.first().items.first();
        QVERIFY2(firstItem.contains(QStringLiteral("taken by hand")) &&
                     firstItem.endsWith(QStringLiteral("1 note")),
                 qPrintable(firstItem));
        QVERIFY(asked.first().items.last().contains(QStringLiteral("daily copy")));
    }
    QVERIFY(UserPrompt::takeHistory().isEmpty());

    StandardDialogs::queueItem(chosen ? std::optional<QString>(firstItem) : std::nullopt);
    if (chosen)
        UserPrompt::queueAnswer(confirmed ? QMessageBox::Yes : QMessageBox::No);
    action("restoreFromBackupAction")->trigger();
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), chosen ? 1 : 0);

    const QList<NoteBackups::Copy> after = NoteBackups::list(m_window->databaseFile());
    if (chosen)
        QVERIFY2(shown.first().text.contains(QStringLiteral("(3)")),
                 qPrintable(shown.first().text));
    if (!confirmed) {
        QCOMPARE(texts(), QStringList({"edited later", "", "new later"}));
        QCOMPARE(after.size(), before.size());
        return;
    }
    // The program shows the restored notes, and the file holds them.
    QCOMPARE(texts(), QStringList({"as backed up"}));
    QCOMPARE(storedNotes(m_window->databaseFile()).size(), 1);
    // What was there before is kept, with the edits not yet saved.
    QCOMPARE(after.size(), 3);
    const auto keptAt = std::find_if(after.begin(), after.end(), [](const NoteBackups::Copy &c) {
        return c.kind == NoteBackups::Kind::BeforeRestore;
    });
    QVERIFY(keptAt != after.end());
    const NoteBackups::Copy kept = *keptAt;
    QVERIFY(shown.first().text.contains(QFileInfo(kept.file).fileName()));
    const QList<NoteRecord> keptNotes = storedNotes(kept.file);
    QCOMPARE(keptNotes.size(), 3);
    QVERIFY(keptNotes.first().message.contains(QStringLiteral("edited later")));
    QVERIFY(keptNotes.last().message.contains(QStringLiteral("new later")));

    // The restored notes are the program's own: they are saved again.
    stickyList.first()->textBrowser()->setPlainText(QStringLiteral("after the restore"));
    m_window->saveStickies();
    QVERIFY(storedNotes(m_window->databaseFile()).first().message.contains("after the restore"));
}

void TestMainWindowBackups::deletedNotesGoWithCopiesAndRestore()
{
    start();
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                       QStringLiteral("Pink"));
    stickyList.last()->textBrowser()->setPlainText(QStringLiteral("deleted before the copy"));
    m_window->stickyDeleted(stickyList.last());
    UserPrompt::queueAnswer(QMessageBox::Ok);
    action("backUpNowAction")->trigger();
    // Emptied after the copy was taken.
    UserPrompt::queueAnswer(QMessageBox::Yes);
    QVERIFY(inDeletedNotes(*m_window, [](DeletedNotesDialog *dialog) {
        DialogDriving::button(dialog, QStringLiteral("&Empty Trash"))->click();
    }));
    QVERIFY(MainWindowTestAccess::trashedNotes(*m_window).isEmpty());

    StandardDialogs::takeHistory();
    StandardDialogs::queueItem(std::nullopt);
    action("restoreFromBackupAction")->trigger();
    const QString byHand = StandardDialogs::takeHistory().first().items.first();
    StandardDialogs::queueItem(byHand);
    UserPrompt::queueAnswer(QMessageBox::Yes);
    action("restoreFromBackupAction")->trigger();
    const QList<TrashedNote> trash = MainWindowTestAccess::trashedNotes(*m_window);
    QCOMPARE(trash.size(), 1);
    QVERIFY(trash.first().record.message.contains(QStringLiteral("deleted before the copy")));
    QCOMPARE(stickyList.size(), 1);
}

void TestMainWindowBackups::restoreWithoutCopiesSaysSo()
{
    start();
    m_window->waitForPendingSaves();
    for (const NoteBackups::Copy &copy : NoteBackups::list(m_window->databaseFile()))
        QVERIFY(QFile::remove(copy.file));
    StandardDialogs::takeHistory();
    UserPrompt::queueAnswer(QMessageBox::Ok);
    action("restoreFromBackupAction")->trigger();
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Restore from Backup"));
    QVERIFY(StandardDialogs::takeHistory().isEmpty());
    QCOMPARE(stickyList.size(), 1);
}

void TestMainWindowBackups::unreadableFileAtStart_data()
{
    QTest::addColumn<bool>("withCopy");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("no copy") << false << false;
    QTest::newRow("copy declined") << true << false;
    QTest::newRow("copy accepted") << true << true;
}

void TestMainWindowBackups::unreadableFileAtStart()
{
    QFETCH(bool, withCopy);
    QFETCH(bool, accepted);
    start();
    const QString file = m_window->databaseFile();
    stickyList.first()->textBrowser()->setPlainText(QStringLiteral("in the copy"));
    UserPrompt::queueAnswer(QMessageBox::Ok);
    action("backUpNowAction")->trigger();
    m_window.reset();
    if (!withCopy) {
        for (const NoteBackups::Copy &copy : NoteBackups::list(file))
            QVERIFY(QFile::remove(copy.file));
    }
    // The first page overwritten: SQLite no longer knows the file.
    QFile damaged(file);
    QVERIFY(damaged.open(QIODevice::ReadWrite));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    const QByteArray damagedBytes = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    UserPrompt::takeHistory();

    if (withCopy)
        UserPrompt::queueAnswer(accepted ? QMessageBox::Yes : QMessageBox::No);
    else
        UserPrompt::queueAnswer(QMessageBox::Ok);
    m_window = std::make_unique<MainWindow>();
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.first().title, QStringLiteral("Notarella Cannot Open Your Notes"));
    QVERIFY(shown.first().text.contains(QDir::toNativeSeparators(file).toHtmlEscaped()));
    QVERIFY2(shown.first().text.contains(QStringLiteral("it is no database")),
             qPrintable(shown.first().text));
    const QStringList kept = QDir(QFileInfo(file).absolutePath())
                                 .entryList({QFileInfo(file).fileName() + ".unreadable-*"});
    if (!accepted) {
        // Nothing is touched: the user may still rescue the file.
        QVERIFY(m_window->startupFailed());
        QCOMPARE(shown.size(), 1);
        QVERIFY(kept.isEmpty());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), damagedBytes);
        return;
    }
    QVERIFY(!m_window->startupFailed());
    QCOMPARE(texts(), QStringList({"in the copy"}));
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.last().title, QStringLiteral("Notes Restored"));
    QCOMPARE(kept.size(), 1);
    QVERIFY(shown.last().text.contains(kept.first()));
    QFile keptFile(QFileInfo(file).absolutePath() + QLatin1Char('/') + kept.first());
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    QCOMPARE(keptFile.readAll(), damagedBytes);
    // The program goes on with the restored file as its own.
    stickyList.first()->textBrowser()->setPlainText(QStringLiteral("after the restore"));
    m_window->saveStickies();
    QVERIFY(storedNotes(file).first().message.contains("after the restore"));
}

void TestMainWindowBackups::endlessCopyIsNeverOffered()
{
    // A copy that would keep a reader waiting forever ends the test program
    // instead of hanging it.
    ::alarm(240);
    start();
    const QString file = m_window->databaseFile();
    const QString endless = NoteBackups::byHandName(file, QDateTime::currentDateTime().addSecs(60));
    {
        QSqlDatabase maker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
        maker.setDatabaseName(endless);
        QVERIFY(maker.open());
        QVERIFY(QSqlQuery(maker).exec(
            "CREATE VIEW stickies AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM "
            "n) SELECT x AS id FROM n"));
        maker.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));

    // Listed as what it is; chosen, it is refused and the notes stay.
    StandardDialogs::takeHistory();
    StandardDialogs::queueItem(std::nullopt);
    action("restoreFromBackupAction")->trigger();
    const QStringList items = StandardDialogs::takeHistory().first().items;
    QCOMPARE(items.size(), 2);
    QVERIFY2(items.first().contains(QStringLiteral("cannot be restored")),
             qPrintable(items.first()));
    StandardDialogs::queueItem(items.first());
    UserPrompt::queueAnswer(QMessageBox::Ok);
    action("restoreFromBackupAction")->trigger();
    QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().text.contains(QStringLiteral("cannot be restored")),
             qPrintable(shown.first().text));
    QCOMPARE(stickyList.size(), 1);

    // At a start with an unreadable file, the newest usable copy is offered.
    m_window.reset();
    QFile damaged(file);
    QVERIFY(damaged.open(QIODevice::ReadWrite));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    UserPrompt::queueAnswer(QMessageBox::Yes);
    m_window = std::make_unique<MainWindow>();
    shown = UserPrompt::takeHistory();
    QVERIFY(!m_window->startupFailed());
    QCOMPARE(shown.last().title, QStringLiteral("Notes Restored"));
    QCOMPARE(stickyList.size(), 1);
    ::alarm(0);
}

QTEST_MAIN(TestMainWindowBackups)
#include "tst_mainwindowbackups.moc"
