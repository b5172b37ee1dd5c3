#include "app/mainwindow.h"
#include "app/syncfoldercommand.h"
#include "base/apppaths.h"
#include "dialogdriving.h"
#include "mainwindowtestaccess.h"
#include "menutexts.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "reminders/reminderdialog.h"
#include "reminders/reminderqueue.h"
#include "reminders/reminderthread.h"
#include "ui/colorswatch.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/optionswindow.h"
#include "widgets/trayicon.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

int storedNotes(const MainWindow &window)
{
    QSqlQuery query(MainWindowTestAccess::database(window));
    query.exec(QStringLiteral("SELECT COUNT(*) FROM stickies"));
    return query.next() ? query.value(0).toInt() : -1;
}

// How many stored notes hold `text`: an edit not yet saved is not among them.
int storedWith(const MainWindow &window, const QString &text)
{
    QSqlQuery query(MainWindowTestAccess::database(window));
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM stickies WHERE message LIKE ?"));
    query.addBindValue(QLatin1Char('%') + text + QLatin1Char('%'));
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

// Clicks the control panel's "&Options" and hands the options window to
// `act` once it is up; `act` closes it.
void workOptions(MainWindow &window, const std::function<void(OptionsWindow &)> &act)
{
    QTimer::singleShot(0, &window, [act] {
        if (auto *options = qobject_cast<OptionsWindow *>(QApplication::activeModalWidget()))
            act(*options);
    });
    DialogDriving::button(&window, QStringLiteral("&Options"))->click();
}

const QString kSyncFolderKey = QStringLiteral("UserDefinedVariables/SyncFolder");

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void styleAndPalette();
    void colorIcon();
    void exitQuestion_data();
    void exitQuestion();
    void exitEntries_data();
    void exitEntries();
    void programCloseIsIgnored();
    void tickSavesBeforeCheckingReminders();
    void shutdownStopsTheTicks();
    void optionsTellOfAChangedSyncFolder_data();
    void optionsTellOfAChangedSyncFolder();
    void optionsFollowTheSyncState();
    void syncFolderCommand_data();
    void syncFolderCommand();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::initTestCase()
{
    // These tests run as on a desktop with a tray: the control panel starts hidden.
    TrayIcon::setTrayAvailableForTesting(true);
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "panel");
}

void TestMainWindow::init()
{
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
    UserPrompt::takeHistory();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    ReminderThread::setTickIntervalForTesting(0);
}

void TestMainWindow::styleAndPalette()
{
    m_window = std::make_unique<MainWindow>();
    QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    const QPalette palette = QApplication::palette();
    QCOMPARE(palette.color(QPalette::Window), QColor(QStringLiteral("#F5F5F5")));
    QCOMPARE(palette.color(QPalette::Base), QColor(QStringLiteral("#FFFFFF")));
    QCOMPARE(palette.color(QPalette::AlternateBase), QColor(QStringLiteral("green")));
    QCOMPARE(palette.color(QPalette::Inactive, QPalette::Button),
             QColor(QStringLiteral("#F5F5F5")).darker(105));
    QVERIFY(!m_window->isVisible());
}

void TestMainWindow::colorIcon()
{
    const QImage swatch = ColorSwatch::pixmap(QStringLiteral("#ADD8E6")).toImage();
    QCOMPARE(swatch.size(), QSize(12, 12));
    for (int i = 0; i < 12; ++i) {
        for (const QPoint frame : {QPoint(i, 0), QPoint(i, 11), QPoint(0, i), QPoint(11, i)})
            QCOMPARE(QColor(swatch.pixel(frame)), QColor(Qt::black));
    }
    for (int x = 1; x < 11; ++x) {
        for (int y = 1; y < 11; ++y)
            QCOMPARE(QColor(swatch.pixel(x, y)), QColor(QStringLiteral("#ADD8E6")));
    }
}

void TestMainWindow::exitQuestion_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("exits");
    QTest::newRow("no") << QMessageBox::No << false;
    QTest::newRow("yes") << QMessageBox::Yes << true;
}

void TestMainWindow::exitQuestion()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, exits);
    m_window = std::make_unique<MainWindow>();
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFFF00"),
                                       QStringLiteral("Yellow"));
    m_window->waitForPendingSaves();
    QCOMPARE(storedNotes(*m_window), 2); // a new note is written at once
    stickyList.last()->textBrowser()->setPlainText(QStringLiteral("edited since the save"));

    UserPrompt::queueAnswer(answer);
    int storedAfterAnswer = -1;
    QTimer::singleShot(0, m_window.get(), [this, &storedAfterAnswer] {
        MainWindowTestAccess::confirmExit(*m_window);
        storedAfterAnswer = storedWith(*m_window, QStringLiteral("edited since"));
    });
    QTimer fallback; // ends the loop when the answer did not
    fallback.setSingleShot(true);
    connect(&fallback, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    fallback.start(500);
    const int result = QCoreApplication::exec();

    const QList<UserPrompt::Record> asked = UserPrompt::takeHistory();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().title, QStringLiteral("Warning: Notarella Exiting"));
    QVERIFY(asked.first().text.contains(
        QStringLiteral("<b>Are you sure that you want to exit Notarella?</b>")));
    QCOMPARE(result, exits ? 0 : 1);
    QCOMPARE(storedAfterAnswer, exits ? 1 : 0); // yes saves the edit before leaving
}

void TestMainWindow::exitEntries_data()
{
    QTest::addColumn<bool>("fromTray");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("exits");
    QTest::newRow("tray, no") << true << QMessageBox::No << false;
    QTest::newRow("tray, yes") << true << QMessageBox::Yes << true;
    QTest::newRow("notes menu, no") << false << QMessageBox::No << false;
    QTest::newRow("notes menu, yes") << false << QMessageBox::Yes << true;
}

// "Exit" closes both menus, after a separator, and asks the same question as
// the window frame's close.
void TestMainWindow::exitEntries()
{
    QFETCH(bool, fromTray);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, exits);
    m_window = std::make_unique<MainWindow>();
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFFF00"),
                                       QStringLiteral("Yellow"));
    m_window->waitForPendingSaves();
    stickyList.last()->textBrowser()->setPlainText(QStringLiteral("edited since the save"));
    const QMenu *menu = fromTray ? MainWindowTestAccess::trayMenu(*m_window)
                                 : m_window->findChild<QMenu *>(QStringLiteral("notesMenu"));
    QVERIFY(menu);
    const QStringList texts = menuTexts(*menu);
    QCOMPARE(texts.mid(texts.size() - 2), QStringList({"--", "E&xit"}));

    UserPrompt::queueAnswer(answer);
    int storedAfterAnswer = -1;
    QTimer::singleShot(0, m_window.get(), [this, menu, &storedAfterAnswer] {
        menu->actions().constLast()->trigger();
        storedAfterAnswer = storedWith(*m_window, QStringLiteral("edited since"));
    });
    QTimer fallback; // ends the loop when the answer did not
    fallback.setSingleShot(true);
    connect(&fallback, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    fallback.start(500);
    const int result = QCoreApplication::exec();

    const QList<UserPrompt::Record> asked = UserPrompt::takeHistory();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().title, QStringLiteral("Warning: Notarella Exiting"));
    QCOMPARE(result, exits ? 0 : 1);
    QCOMPARE(storedAfterAnswer, exits ? 1 : 0);
}

void TestMainWindow::programCloseIsIgnored()
{
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(!m_window->close()); // not from the window manager: no question, still open
    QVERIFY(m_window->isVisible());
    QVERIFY(UserPrompt::takeHistory().isEmpty());
}

void TestMainWindow::tickSavesBeforeCheckingReminders()
{
    ReminderThread::setTickIntervalForTesting(50);
    m_window = std::make_unique<MainWindow>();
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFFF00"),
                                       QStringLiteral("Yellow"));
    StickyWidget *note = stickyList.last();
    note->hide();
    const QDateTime due = QDateTime::currentDateTime().addSecs(-120);
    note->setReminder(due, due, QString());

    int storedWhenAsked = -1;
    bool shownWhenAsked = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        const QList<ReminderDialog *> open = ReminderQueue::instance().openDialogs();
        if (open.isEmpty())
            return;
        ReminderDialog *dialog = open.first();
        poll.stop();
        // The tick handed its notes to the writer thread before this check;
        // once the writer is done they are in the file.
        m_window->waitForPendingSaves();
        storedWhenAsked = storedNotes(*m_window);
        shownWhenAsked = note->isVisible();
        dialog->findChild<QPushButton *>(QStringLiteral("dismissButton"))->click();
    });
    poll.start(10);
    QTRY_VERIFY_WITH_TIMEOUT(!poll.isActive(), 5000);
    QCOMPARE(storedWhenAsked, 2); // that tick's save ran before its check
    QVERIFY(shownWhenAsked);
    QTRY_VERIFY(note->reminderDate().isNull());
}

void TestMainWindow::shutdownStopsTheTicks()
{
    ReminderThread::setTickIntervalForTesting(20);
    m_window = std::make_unique<MainWindow>();
    ReminderThread *thread = MainWindowTestAccess::reminderThread(*m_window);
    QVERIFY(thread);
    QTRY_VERIFY(thread->tickCount() >= 2);
    MainWindowTestAccess::aboutToQuit(*m_window);
    QVERIFY(!MainWindowTestAccess::reminderThread(*m_window));
    // No tick reaches the notes any more: a due reminder stays untouched.
    StickyWidget *welcome = stickyList.first();
    const QDateTime due = QDateTime::currentDateTime().addSecs(-60);
    welcome->setReminder(due, due, QString());
    QTest::qWait(100);
    QCOMPARE(welcome->reminderDate(), due);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestMainWindow::optionsTellOfAChangedSyncFolder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("button"); // pressed before `finish`
    QTest::addColumn<QString>("finish");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("picked, saved") << ""
                                   << "syncBrowseButton"
                                   << "&Save" << QStringList{"/a"};
    QTest::newRow("picked, cancelled") << ""
                                       << "syncBrowseButton"
                                       << "&Cancel" << QStringList{};
    QTest::newRow("same picked, saved") << "/a"
                                        << "syncBrowseButton"
                                        << "&Save" << QStringList{};
    QTest::newRow("turned off, saved") << "/b"
                                       << "syncTurnOffButton"
                                       << "&Save" << QStringList{""};
}

void TestMainWindow::optionsTellOfAChangedSyncFolder()
{
    QFETCH(QString, stored);
    QFETCH(QString, button);
    QFETCH(QString, finish);
    QFETCH(QStringList, told);
    m_window = std::make_unique<MainWindow>();
    NativeSettings::setValue(kSyncFolderKey, stored);
    QSignalSpy chosen(m_window.get(), &MainWindow::syncFolderChosen);
    StandardDialogs::queueDirectory(QStringLiteral("/a"));
    workOptions(*m_window, [&](OptionsWindow &options) {
        options.findChild<QPushButton *>(button)->click();
        DialogDriving::button(&options, finish)->click();
    });
    StandardDialogs::clearAnswers();
    QStringList emitted;
    for (const QList<QVariant> &arguments : chosen)
        emitted << arguments.first().toString();
    QCOMPARE(emitted, told);
    QCOMPARE(NativeSettings::stringValue(kSyncFolderKey), told.isEmpty() ? stored : told.first());
}

void TestMainWindow::optionsFollowTheSyncState()
{
    m_window = std::make_unique<MainWindow>();
    NativeSettings::setValue(kSyncFolderKey, QStringLiteral("/a"));
    m_window->setSyncStateText(QStringLiteral("Up to date."));
    QStringList shown;
    const auto readAndCancel = [&](OptionsWindow &options, const QString &next) {
        auto *label = options.findChild<QLabel *>(QStringLiteral("syncStateLabel"));
        shown << label->text();
        m_window->setSyncStateText(next);
        shown << label->text();
        options.reject();
    };
    workOptions(*m_window, [&](OptionsWindow &options) { readAndCancel(options, "Busy."); });
    // Told while no dialog is open: shown by the next one.
    m_window->setSyncStateText(QStringLiteral("Unreachable."));
    workOptions(*m_window, [&](OptionsWindow &options) { readAndCancel(options, "Unreachable."); });
    QCOMPARE(shown, QStringList({"Up to date.", "Busy.", "Unreachable.", "Unreachable."}));
}

void TestMainWindow::syncFolderCommand_data()
{
    QTest::addColumn<QString>("given"); // "@" stands for a folder of the test's
    QTest::addColumn<bool>("taken");
    QTest::newRow("a folder") << "@" << true;
    QTest::newRow("empty turns off") << "" << true;
    QTest::newRow("missing, markup in its name") << "@/<i>x</i> &amp;" << false;
    QTest::newRow("a file") << "@/plain.txt" << false;
}

void TestMainWindow::syncFolderCommand()
{
    QFETCH(QString, given);
    QFETCH(bool, taken);
    QTemporaryDir folder;
    QFile plain(folder.filePath(QStringLiteral("plain.txt")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    given.replace(QLatin1Char('@'), folder.path());
    m_window = std::make_unique<MainWindow>();
    NativeSettings::setValue(kSyncFolderKey, QStringLiteral("/before"));
    UserPrompt::takeHistory();
    QSignalSpy chosen(m_window.get(), &MainWindow::syncFolderChosen);
    if (!taken)
        UserPrompt::queueAnswer(QMessageBox::Ok);
    QCOMPARE(SyncFolderCommand::apply(*m_window, given), taken);
    const QList<UserPrompt::Record> boxes = UserPrompt::takeHistory();
    QCOMPARE(chosen.size(), int(taken));
    QCOMPARE(NativeSettings::stringValue(kSyncFolderKey), taken ? given : "/before");
    QCOMPARE(boxes.size(), int(!taken));
    if (!taken) { // the name reads as written, whatever markup it holds
        QTextDocument shown;
        shown.setHtml(boxes.first().text);
        QVERIFY2(shown.toPlainText().contains(given), qPrintable(boxes.first().text));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
