#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "deletednotesdriving.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "sqlrows.h"
#include "widgets/rztogglemessagebox.h"
#include "widgets/trayicon.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <memory>

// A note's context menu with the main window that owns the note: the note
// deleted from its own open menu, a colour chosen in it reaching the database,
// and the control panel entry.
class TestNoteMenuInApp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void deleteFromItsOwnMenu();
    void presetColourIsSaved();
    void controlPanelEntry();
    void deletedNoteComesBackFromTheTrash();

private:
    StickyWidget *newNote();
    // Opens the note's context menu as a right click does and presses `keys`
    // in it.
    void pressInMenu(StickyWidget *note, const QList<Qt::Key> &keys);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestNoteMenuInApp::initTestCase()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "tester");
    // As on a desktop with a tray: the control panel starts hidden.
    TrayIcon::setTrayAvailableForTesting(true);
}

void TestNoteMenuInApp::init()
{
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
    m_window = std::make_unique<MainWindow>();
    QVERIFY(!m_window->startupFailed());
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DeleteWarning), false);
}

void TestNoteMenuInApp::cleanup()
{
    m_window.reset();
    m_folder.reset();
}

StickyWidget *TestNoteMenuInApp::newNote()
{
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                       QStringLiteral("Pink"));
    return stickyList.last();
}

void TestNoteMenuInApp::pressInMenu(StickyWidget *note, const QList<Qt::Key> &keys)
{
    bool opened = false;
    QTimer::singleShot(0, this, [&opened, keys] {
        for (Qt::Key key : keys) {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            opened = true;
            QTest::keyClick(menu, key);
        }
    });
    QTimer watchdog; // a menu still open after the keys must not hang the test
    connect(&watchdog, &QTimer::timeout, this, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    watchdog.start(5000);
    const QPoint header(20, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, header, note->mapToGlobal(header));
    QApplication::sendEvent(note, &event);
    QVERIFY(opened);
}

void TestNoteMenuInApp::deleteFromItsOwnMenu()
{
    QPointer<StickyWidget> note = newNote();
    const int before = stickyList.size();
    pressInMenu(note, {Qt::Key_D});
    QCOMPARE(stickyList.size(), before - 1);
    QVERIFY(!stickyList.contains(note.data()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(note.isNull());
    m_window->saveStickies();
    QCOMPARE(queryRows(MainWindowTestAccess::database(*m_window),
                       QStringLiteral("SELECT id FROM stickies"))
                 .size(),
             before - 1);
}

void TestNoteMenuInApp::presetColourIsSaved()
{
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::ThreeColor),
                             QStringLiteral("Mint"));
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::ThreeRGB),
                             QStringLiteral("#BDFCC9"));
    StickyWidget *note = newNote();
    pressInMenu(note, {Qt::Key_C, Qt::Key_3});
    QCOMPARE(note->colorName(), QStringLiteral("Mint"));
    m_window->saveStickies();
    const QList<QVariantList> rows =
        queryRows(MainWindowTestAccess::database(*m_window),
                  QStringLiteral("SELECT colorRGB, colorName FROM stickies WHERE id = %1")
                      .arg(note->stickyID()));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0), QVariantList({QStringLiteral("#BDFCC9"), QStringLiteral("Mint")}));
}

void TestNoteMenuInApp::controlPanelEntry()
{
    StickyWidget *note = newNote();
    QVERIFY(!m_window->isVisible());
    const std::unique_ptr<QMenu> menu = note->createContextMenu();
    const QList<QAction *> actions = menu->actions();
    QAction *panel = actions.last();
    QCOMPARE(panel->text(), QStringLiteral("Sticky Control &Panel"));
    panel->trigger();
    QVERIFY(m_window->isVisible());
    QVERIFY(stickyList.contains(note));
    QVERIFY(note->isVisible());
}

// As a person: delete a note from its menu and answer the warning, then
// Notes → Deleted Notes…, Restore; the note is back with its text.
void TestNoteMenuInApp::deletedNoteComesBackFromTheTrash()
{
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DeleteWarning), true);
    StickyWidget *note = newNote();
    note->textBrowser()->setPlainText(QStringLiteral("Pick up the parcel"));
    note->lostFocus();
    const int id = note->stickyID();
    QString warning;
    QTimer answer; // the warning comes up inside the menu's command
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<RZToggleMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        answer.stop();
        warning = box->findChildren<QLabel *>().last()->text();
        QTest::mouseClick(DialogDriving::button(box, QStringLiteral("&Yes")), Qt::LeftButton);
    });
    answer.start(20);
    pressInMenu(note, {Qt::Key_D});
    QVERIFY2(warning.contains(QStringLiteral("Deleted Notes")), qPrintable(warning));
    QCOMPARE(stickyList.size(), 1);

    m_window->showControlPanel();
    QVERIFY(inDeletedNotes(*m_window, [](DeletedNotesDialog *dialog) {
        auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("deletedNotesList"));
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(DeletedNotesDialog::SummaryColumn),
                 QStringLiteral("\"Pick up the parcel\""));
        QCOMPARE(list->topLevelItem(0)->text(DeletedNotesDialog::ColorColumn),
                 QStringLiteral("Pink"));
        QTest::mouseClick(DialogDriving::button(dialog, QStringLiteral("&Restore")),
                          Qt::LeftButton);
    }));
    QCOMPARE(stickyList.size(), 2);
    StickyWidget *back = stickyList.last();
    QCOMPARE(back->stickyID(), id);
    QCOMPARE(back->textBrowser()->toPlainText(), QStringLiteral("Pick up the parcel"));
    QVERIFY(back->isVisible());
}

QTEST_MAIN(TestNoteMenuInApp)
#include "tst_notemenuinapp.moc"
