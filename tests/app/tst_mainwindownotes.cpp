#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "deletednotesdriving.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "sqlrows.h"
#include "ui/userprompt.h"
#include "widgets/trayicon.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

class TestStickyStore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void firstStartShowsWelcomeNote();
    void newNotesTakeNextIdAndFreePlace();
    void taskBarDefaultDecidesNewNotes_data();
    void taskBarDefaultDecidesNewNotes();
    void notesSurviveRestart();
    void awkwardTextsSurviveRestart_data();
    void awkwardTextsSurviveRestart();
    void deletingEveryNoteFallsBackToBackup();
    void savingTwiceGivesSameRows();
    void restoredNoteIsTheDeletedOne_data();
    void restoredNoteIsTheDeletedOne();
    void erasingAsksFirst_data();
    void erasingAsksFirst();
    void oldDeletedNotesGoAtStart();
    void toggleShowsTheNotesItHid();
    void nothingSelectedGivesAnEmptyNote();

private:
    void restart();
    StickyWidget *noteWithId(int id) const;
    QList<QStringList> storedRows() const;
    int storedTrashRows() const;

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestStickyStore::initTestCase()
{
    // These tests run as on a desktop with a tray: the control panel starts hidden.
    TrayIcon::setTrayAvailableForTesting(true);
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "tester");
}

void TestStickyStore::init()
{
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
    m_window = std::make_unique<MainWindow>();
    QVERIFY(!m_window->startupFailed());
}

void TestStickyStore::cleanup()
{
    m_window.reset();
    QVERIFY(stickyList.isEmpty());
    m_folder.reset();
}

void TestStickyStore::restart()
{
    m_window->saveStickies();
    m_window.reset();
    m_window = std::make_unique<MainWindow>();
}

StickyWidget *TestStickyStore::noteWithId(int id) const
{
    for (StickyWidget *sticky : std::as_const(stickyList)) {
        if (sticky->stickyID() == id)
            return sticky;
    }
    return nullptr;
}

QList<QStringList> TestStickyStore::storedRows() const
{
    QList<QStringList> rows;
    const QList<QVariantList> values = queryRows(MainWindowTestAccess::database(*m_window),
                                                 QStringLiteral("SELECT * FROM stickies"));
    for (const QVariantList &row : values) {
        QStringList texts;
        for (const QVariant &value : row)
            texts << value.toString();
        rows << texts;
    }
    return rows;
}

int TestStickyStore::storedTrashRows() const
{
    const QList<QVariantList> rows =
        queryRows(MainWindowTestAccess::database(*m_window),
                  QStringLiteral("SELECT COUNT(*) FROM stickies_trash"));
    return rows.isEmpty() ? -1 : rows.first().first().toInt();
}

void TestStickyStore::firstStartShowsWelcomeNote()
{
    QCOMPARE(m_window->databaseFile(), m_folder->path() + QStringLiteral("/.NotarellaData/tester"));
    QCOMPARE(stickyList.size(), 1);
    const StickyWidget *welcome = stickyList.first();
    QCOMPARE(welcome->stickyID(), 1);
    QVERIFY(welcome->isVisible());
    QVERIFY(welcome->isLocked());
    QVERIFY(!welcome->isToolWindow());
    QCOMPARE(welcome->geometry(), QRect(200, 200, 300, 200));
    QCOMPARE(welcome->colorName(), QStringLiteral("Yellow"));
    QVERIFY(
        welcome->textBrowser()->toPlainText().startsWith(QStringLiteral("Welcome to Notarella!")));
    QCOMPARE(welcome->windowTitle(), QStringLiteral("\"Welcome to Notarella! To ge...\""));
}

void TestStickyStore::newNotesTakeNextIdAndFreePlace()
{
    // Ids 1, 2 and 7: the next one is 8.
    for (int id = 2; id <= 7; ++id) {
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
        QCOMPARE(stickyList.last()->stickyID(), id);
    }
    for (int id : {3, 4, 5, 6})
        m_window->stickyDeleted(noteWithId(id));
    QCOMPARE(stickyList.size(), 3);
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                       QStringLiteral("Pink"));
    QCOMPARE(stickyList.last()->stickyID(), 8);

    // New notes open at the first free place of the run: the welcome note
    // holds 200,200, notes 2 to 7 took 220 to 320, and 3 to 6 are gone.
    QCOMPARE(stickyList.last()->pos(), QPoint(240, 240));
    const auto createAt = [this](int expected) {
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
        QCOMPARE(stickyList.last()->pos(), QPoint(expected, expected));
    };
    for (int place : {260, 280, 300, 340})
        createAt(place);
    // A hidden note keeps its place; a deleted one gives it up.
    noteWithId(1)->hide();
    createAt(360);
    m_window->stickyDeleted(noteWithId(1));
    createAt(200);
    QVERIFY(stickyList.last()->isVisible());
    QCOMPARE(stickyList.last()->size(), QSize(210, 150));

    // With every note gone the next one is 1 again.
    QCoreApplication::processEvents();
    for (StickyWidget *sticky : QList<StickyWidget *>(stickyList))
        m_window->stickyDeleted(sticky);
    QVERIFY(stickyList.isEmpty());
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFFF00"),
                                       QStringLiteral("Yellow"));
    QCOMPARE(stickyList.last()->stickyID(), 1);
}

void TestStickyStore::taskBarDefaultDecidesNewNotes_data()
{
    QTest::addColumn<bool>("useTaskBar");
    QTest::newRow("task bar by default") << true;
    QTest::newRow("no task bar by default") << false;
}

void TestStickyStore::taskBarDefaultDecidesNewNotes()
{
    QFETCH(bool, useTaskBar);
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::UseTaskBarByDefault),
                             useTaskBar);
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#90EE90"),
                                       QStringLiteral("Light Green"));
    QCOMPARE(stickyList.last()->isToolWindow(), !useTaskBar);
    restart();
    QCOMPARE(noteWithId(2)->isToolWindow(), !useTaskBar);
}

void TestStickyStore::notesSurviveRestart()
{
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#90EE90"),
                                       QStringLiteral("Light Green"));
    StickyWidget *note = noteWithId(2);
    note->textBrowser()->setHtml(QStringLiteral("<p>Call <b>Anna</b></p>"));
    note->move(321, 234);
    note->resize(333, 222);
    note->enableStaysOnTop(true);
    note->lockSticky(true);
    const QDateTime reminder(QDate(2030, 5, 6), QTime(7, 8));
    note->setReminder(reminder, reminder.addSecs(600), QStringLiteral("|5|*|*|*|*"));
    const QDateTime created = note->creationDate();
    stickyList.first()->hide(); // the welcome note

    restart();
    QCOMPARE(stickyList.size(), 2);
    QCOMPARE(stickyList.at(0)->stickyID(), 1);
    QVERIFY(!stickyList.at(0)->isVisible());
    note = stickyList.at(1);
    QCOMPARE(note->stickyID(), 2);
    QVERIFY(note->isVisible());
    QCOMPARE(note->geometry(), QRect(321, 234, 333, 222));
    QVERIFY(note->isStaysOnTop());
    QVERIFY(note->isToolWindow());
    QVERIFY(note->isLocked());
    QCOMPARE(note->colorRGB(), QStringLiteral("#90EE90"));
    QCOMPARE(note->colorName(), QStringLiteral("Light Green"));
    QCOMPARE(note->textBrowser()->toPlainText(), QStringLiteral("Call Anna"));
    QCOMPARE(note->originalReminderDate(), reminder);
    QCOMPARE(note->reminderDate(), reminder.addSecs(600));
    QCOMPARE(note->periodicMask(), QStringLiteral("|5|*|*|*|*"));
    QCOMPARE(note->creationDate().toSecsSinceEpoch(), created.toSecsSinceEpoch());

    // No reminder stays no reminder.
    note->setReminder(QDateTime(), QDateTime(), QString());
    restart();
    QVERIFY(stickyList.at(1)->reminderDate().isNull());
    QVERIFY(stickyList.at(1)->originalReminderDate().isNull());
    QCOMPARE(storedRows().at(1).mid(5, 2), QStringList({QStringLiteral("0"), QStringLiteral("0")}));
}

void TestStickyStore::awkwardTextsSurviveRestart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colorName");
    QTest::newRow("quotes") << QStringLiteral("It's \"quoted\" ''twice''")
                            << QStringLiteral("Yellow");
    QTest::newRow("placeholders") << QStringLiteral("%1 %11 %16 %2%3") << QStringLiteral("Yellow");
    QTest::newRow("percent-encoded link")
        << QStringLiteral("see http%3A%2F%2Fexample.org%2Fa%20b") << QStringLiteral("Yellow");
    QTest::newRow("quote in colour name")
        << QStringLiteral("plain") << QStringLiteral("Ann's ' Blue");
    QTest::newRow("SQL in text") << QStringLiteral("'); DROP TABLE stickies; --")
                                 << QStringLiteral("Yellow");
}

void TestStickyStore::awkwardTextsSurviveRestart()
{
    QFETCH(QString, text);
    QFETCH(QString, colorName);
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#ADD8E6"), colorName);
    stickyList.last()->textBrowser()->setPlainText(text);
    restart();
    QCOMPARE(stickyList.size(), 2);
    QCOMPARE(stickyList.last()->textBrowser()->toPlainText(), text);
    QCOMPARE(stickyList.last()->colorName(), colorName);
}

void TestStickyStore::deletingEveryNoteFallsBackToBackup()
{
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#ADD8E6"),
                                       QStringLiteral("Light Blue"));
    m_window->saveStickies();
    m_window->saveStickies(); // the backup now holds both notes too
    for (StickyWidget *sticky : QList<StickyWidget *>(stickyList))
        m_window->stickyDeleted(sticky);
    restart();
    QVERIFY(storedRows().isEmpty());
    QCOMPARE(stickyList.size(), 2);
    QCOMPARE(stickyList.at(1)->colorName(), QStringLiteral("Light Blue"));
}

void TestStickyStore::savingTwiceGivesSameRows()
{
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#ADD8E6"),
                                       QStringLiteral("Light Blue"));
    m_window->saveStickies();
    const QList<QStringList> once = storedRows();
    m_window->saveStickies();
    QCOMPARE(storedRows(), once);
    QCOMPARE(once.size(), 2);
    QCOMPARE(once.at(1).at(1), QStringLiteral("YES"));
    QCOMPARE(once.at(1).at(15), QStringLiteral("NO"));
    QCOMPARE(once.at(1).at(9), QStringLiteral("NO"));
}

void TestStickyStore::restoredNoteIsTheDeletedOne_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("restartBetween");
    QTest::addColumn<bool>("idTaken");
    QTest::newRow("shown") << true << false << false;
    QTest::newRow("hidden") << false << false << false;
    QTest::newRow("after a restart") << true << true << false;
    QTest::newRow("its id taken meanwhile") << true << false << true;
}

// Everything the note was comes back: text, colour, place, size, reminder,
// pattern, flags and whether it was shown.
void TestStickyStore::restoredNoteIsTheDeletedOne()
{
    QFETCH(bool, visible);
    QFETCH(bool, restartBetween);
    QFETCH(bool, idTaken);
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#E6E6FA"),
                                       QStringLiteral("Lavender & 'Co' %1"));
    StickyWidget *note = stickyList.last();
    note->textBrowser()->setHtml(QStringLiteral("<p>Call <b>Ann</b> at 10%</p>"));
    note->lostFocus();
    const QDateTime due = QDateTime(QDate(2031, 5, 6), QTime(9, 30));
    note->setReminder(due, due.addSecs(600), QStringLiteral("|30|9|*|*|1-5|"));
    note->enableStaysOnTop(true);
    note->showInTaskBar(false);
    note->move(140, 110);
    note->resize(260, 190);
    if (!visible)
        note->hide();
    const NoteRecord before = m_window->noteRecords().last();
    QCOMPARE(before.alwaysOnTop, true);
    QCOMPARE(before.taskbarEntry, false);
    QCOMPARE(before.visible, visible);

    m_window->stickyDeleted(note);
    QCOMPARE(stickyList.size(), 1);
    if (restartBetween)
        restart();
    if (idTaken)
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFFF00"),
                                           QStringLiteral("Yellow"));
    QVERIFY(inDeletedNotes(*m_window, [](DeletedNotesDialog *dialog) {
        QCOMPARE(dialog->notes().size(), 1);
        DialogDriving::button(dialog, QStringLiteral("&Restore"))->click();
        QVERIFY(dialog->notes().isEmpty());
    }));

    NoteRecord expected = before;
    if (idTaken)
        expected.id = before.id + 1;
    if (restartBetween) // the file keeps whole seconds
        expected.creationDate =
            QDateTime::fromSecsSinceEpoch(before.creationDate.toSecsSinceEpoch());
    QCOMPARE(m_window->noteRecords().last(), expected);
    QCOMPARE(stickyList.last()->isVisible(), visible);
    QCOMPARE(storedTrashRows(), 0);
    QCOMPARE(storedRows().size(), idTaken ? 3 : 2);
}

void TestStickyStore::erasingAsksFirst_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("left");
    QTest::newRow("one, yes") << "Delete &Permanently" << QMessageBox::Yes << "Delete Permanently"
                              << 1;
    QTest::newRow("one, no") << "Delete &Permanently" << QMessageBox::No << "Delete Permanently"
                             << 2;
    QTest::newRow("all, yes") << "&Empty Trash" << QMessageBox::Yes << "Empty Trash" << 0;
    QTest::newRow("all, no") << "&Empty Trash" << QMessageBox::No << "Empty Trash" << 2;
}

void TestStickyStore::erasingAsksFirst()
{
    QFETCH(QString, button);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, title);
    QFETCH(int, left);
    for (int i = 0; i < 2; ++i)
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
    m_window->stickyDeleted(stickyList.at(1));
    m_window->stickyDeleted(stickyList.at(1));
    QCOMPARE(storedTrashRows(), 2);
    UserPrompt::takeHistory();

    UserPrompt::queueAnswer(answer);
    QVERIFY(inDeletedNotes(*m_window, [&](DeletedNotesDialog *dialog) {
        DialogDriving::button(dialog, button)->click();
        QCOMPARE(dialog->notes().size(), left);
    }));
    const QList<UserPrompt::Record> asked = UserPrompt::takeHistory();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().title, title);
    QCOMPARE(storedTrashRows(), left);
    QCOMPARE(MainWindowTestAccess::trashedNotes(*m_window).size(), left);
    QCOMPARE(stickyList.size(), 1); // nothing came back
}

void TestStickyStore::oldDeletedNotesGoAtStart()
{
    for (int i = 0; i < 2; ++i)
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
    m_window->stickyDeleted(stickyList.at(1));
    m_window->stickyDeleted(stickyList.at(1));
    const QString file = m_window->databaseFile();
    // Ended as a run does, with its last save: the new notes were written
    // when they were made, and are gone from the notes now.
    m_window->saveStickies();
    m_window.reset();
    // Deleted 31 and 29 days ago, as a run a month back left them.
    {
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "aging");
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(
            query.exec(QStringLiteral("UPDATE stickies_trash SET deletionDate = %1 WHERE id = 2")
                           .arg(now - 31 * 86400)));
        QVERIFY(
            query.exec(QStringLiteral("UPDATE stickies_trash SET deletionDate = %1 WHERE id = 3")
                           .arg(now - 29 * 86400)));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("aging"));
    m_window = std::make_unique<MainWindow>();
    m_window->waitForPendingSaves();
    const QList<TrashedNote> left = MainWindowTestAccess::trashedNotes(*m_window);
    QCOMPARE(left.size(), 1);
    QCOMPARE(left.first().record.id, 3);
    QCOMPARE(storedTrashRows(), 1);
}

void TestStickyStore::toggleShowsTheNotesItHid()
{
    for (int id = 2; id <= 4; ++id)
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
    noteWithId(3)->hide();
    m_window->toggleNotes();
    for (const StickyWidget *sticky : std::as_const(stickyList))
        QVERIFY(sticky->isHidden());
    // Hidden as far as the note file knows too: column 1 is "visible".
    for (const QStringList &row : storedRows())
        QCOMPARE(row.at(1), QStringLiteral("NO"));
    m_window->toggleNotes();
    QVERIFY(!noteWithId(1)->isHidden());
    QVERIFY(!noteWithId(2)->isHidden());
    QVERIFY(noteWithId(3)->isHidden());
    QVERIFY(!noteWithId(4)->isHidden());
}

void TestStickyStore::nothingSelectedGivesAnEmptyNote()
{
    // Offscreen there is no selection, only the clipboard, here emptied.
    QGuiApplication::clipboard()->clear();
    m_window->createStickyFromSelection();
    QCOMPARE(stickyList.size(), 2);
    QCOMPARE(stickyList.last()->textBrowser()->toPlainText(), QString());
    QVERIFY(!stickyList.last()->isHidden());
}

QTEST_MAIN(TestStickyStore)
#include "tst_mainwindownotes.moc"
