#include "dialogdriving.h"
#include "menutexts.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "printdialogcount.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/rzrichtexteditor.h"
#include "settings/preferences.h"
#include "testnotes.h"
#include "ui/userprompt.h"
#include "widgets/rzcolorselector.h"
#include "widgets/rzcolorselectordialog.h"
#include "widgets/rztogglemessagebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <memory>

namespace {

using namespace Preferences;

const QDateTime kMonday(QDate(2006, 3, 6), QTime(14, 5));

std::unique_ptr<StickyWidget> makeNote(bool locked = false,
                                       const QString &html = QStringLiteral("<p>Buy milk</p>"))
{
    auto note = std::unique_ptr<StickyWidget>(
        newTestNote(4, QStringLiteral("#ADD8E6"), QStringLiteral("Light Blue"), kMonday,
                    QDateTime(), QDateTime(), QString(), locked, html));
    note->move(120, 90);
    note->resize(240, 180);
    return note;
}

QAction *entry(const QMenu &menu, const QString &text)
{
    const QList<QAction *> actions = menu.actions();
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    qWarning() << "no menu entry" << text << "in" << menuTexts(menu);
    return nullptr;
}

QMenu *colorMenu(const QMenu &menu)
{
    QAction *submenu = entry(menu, QStringLiteral("Change &Color"));
    return submenu ? submenu->menu() : nullptr;
}

// The colour a note paints in its frame margin, where nothing covers it.
QColor paintedBackground(StickyWidget &note)
{
    return note.grab().toImage().pixelColor(2, note.height() / 2);
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>").arg(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestStickyCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void menuEntries_data();
    void menuEntries();
    void menuEntriesRunTheirCommands();
    void colorMenuReadsSettingsEachTime_data();
    void colorMenuReadsSettingsEachTime();
    void presetRecolours_data();
    void presetRecolours();
    void colorDialog_data();
    void colorDialog();
    void deleteSticky_data();
    void deleteSticky();
    void printsHeadingAndText();
    void printCancelledOrFailing_data();
    void printCancelledOrFailing();
    void printToPdfThroughTheDialog();
    void lockedNoteKeepsItsText_data();
    void lockedNoteKeepsItsText();

private:
    QTemporaryDir m_dir;
};

void TestStickyCommands::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QList<std::pair<QString, QVariant>> values = {
        {Names::DefaultColor, QStringLiteral("Yellow")},
        {Names::DefaultRGB, "#FFFF00"},
        {Names::OneColor, QStringLiteral("Green")},
        {Names::OneRGB, "#00FF00"},
        {Names::TwoColor, QStringLiteral("Pink")},
        {Names::TwoRGB, "#FFC0CB"},
        {Names::ThreeColor, QStringLiteral("Orange")},
        {Names::ThreeRGB, "#FF8000"},
        {Names::FourColor, QStringLiteral("Light Blue")},
        {Names::FourRGB, "#ADD8E6"},
        {Names::FiveColor, QStringLiteral("Lavender")},
        {Names::FiveRGB, "#E6E6FA"},
        {Names::HideWarning, false},
        {Names::DeleteWarning, false},
        {Names::DateFormat, QStringLiteral("d MMM yyyy h:mm AP")},
    };
    for (const auto &[name, value] : values)
        NativeSettings::setValue(userKey(name), value);
    UserPrompt::takeHistory();
    takePrintDialogCount();
}

void TestStickyCommands::menuEntries_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("onTop");
    QTest::addColumn<bool>("inTaskBar");

    QTest::newRow("plain note") << false << false << true;
    QTest::newRow("locked") << true << false << true;
    QTest::newRow("on top") << false << true << true;
    QTest::newRow("no task-bar entry") << false << false << false;
    QTest::newRow("locked, on top, no task-bar entry") << true << true << false;
}

void TestStickyCommands::menuEntries()
{
    QFETCH(bool, locked);
    QFETCH(bool, onTop);
    QFETCH(bool, inTaskBar);
    auto note = makeNote(locked);
    note->enableStaysOnTop(onTop);
    note->showInTaskBar(inTaskBar);

    const std::unique_ptr<QMenu> menu = note->createContextMenu();
    const QString deleteText =
        locked ? QStringLiteral("&Delete (locked)") : QStringLiteral("&Delete");
    QCOMPARE(menuTexts(*menu),
             QStringList({"&Hide", deleteText, "--", "&Lock Sticky", "Always on &Top",
                          "Show in &Task Bar", "--", "Rich Text &Editor", "Change &Color",
                          "Set/Edit &Reminder", "&Print", "--", "Sticky Control &Panel"}));
    QCOMPARE(entry(*menu, deleteText)->isEnabled(), !locked);
    QCOMPARE(entry(*menu, "&Lock Sticky")->isChecked(), locked);
    QCOMPARE(entry(*menu, "Always on &Top")->isChecked(), onTop);
    QCOMPARE(entry(*menu, "Show in &Task Bar")->isChecked(), inTaskBar);
    for (const char *toggle : {"&Lock Sticky", "Always on &Top", "Show in &Task Bar"})
        QVERIFY(entry(*menu, toggle)->isCheckable());
    // Locked or not, colour, reminder, flags and printing stay available.
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions) {
        if (action->text() != deleteText)
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    }
    QCOMPARE(entry(*menu, "&Print")->icon().actualSize(QSize(64, 64)), QSize(32, 32));
}

void TestStickyCommands::menuEntriesRunTheirCommands()
{
    auto note = makeNote();
    note->show();
    QSignalSpy panelRequests(note.get(), &StickyWidget::controlPanelRequest);
    QSignalSpy deleted(note.get(), &StickyWidget::stickyDeleted);
    const auto trigger = [&note](const char *text) {
        const std::unique_ptr<QMenu> menu = note->createContextMenu();
        entry(*menu, text)->trigger();
    };

    trigger("&Lock Sticky");
    QVERIFY(note->isLocked());
    QVERIFY(note->textBrowser()->isReadOnly());
    trigger("&Delete (locked)"); // disabled: nothing happens, not even a warning
    QCOMPARE(deleted.count(), 0);
    QCOMPARE(UserPrompt::takeHistory().size(), 0);
    trigger("&Lock Sticky");
    QVERIFY(!note->isLocked());
    trigger("Always on &Top");
    QVERIFY(note->isStaysOnTop());
    trigger("Show in &Task Bar");
    QVERIFY(note->isToolWindow());
    trigger("Sticky Control &Panel");
    QCOMPARE(panelRequests.count(), 1);
    trigger("&Delete");
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).value<StickyWidget *>(), note.get());
    trigger("&Hide");
    QVERIFY(note->isHidden());

    // Entries that open a dialog: each is closed as soon as it is up.
    QStringList opened;
    const auto closeNextDialog = [this, &opened] {
        QTimer::singleShot(0, this, [&opened] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened << QString::fromLatin1(dialog->metaObject()->className());
                dialog->reject();
            }
        });
    };
    closeNextDialog();
    trigger("Set/Edit &Reminder");
    closeNextDialog();
    const std::unique_ptr<QMenu> menu = note->createContextMenu();
    entry(*colorMenu(*menu), "More...")->trigger();
    QCOMPARE(opened, QStringList({"SetReminderDialog", "RZColorSelectorDialog"}));
    StandardDialogs::queuePrintToFile(std::nullopt);
    trigger("&Print");
    QCOMPARE(takePrintDialogCount(), 1);
}

void TestStickyCommands::colorMenuReadsSettingsEachTime_data()
{
    QTest::addColumn<QString>("oneName");
    QTest::addColumn<QString>("expected");

    QTest::newRow("renamed to Mint") << "Mint"
                                     << "&1 - Mint Sticky";
    QTest::newRow("placeholder stays literal") << "%2 %1"
                                               << "&1 - %2 %1 Sticky";
    QTest::newRow("ampersand is no shortcut") << "Salt & Pepper"
                                              << "&1 - Salt && Pepper Sticky";
}

void TestStickyCommands::colorMenuReadsSettingsEachTime()
{
    QFETCH(QString, oneName);
    QFETCH(QString, expected);
    auto note = makeNote();
    const std::unique_ptr<QMenu> before = note->createContextMenu();
    QCOMPARE(menuTexts(*colorMenu(*before)),
             QStringList({"&Default Sticky (Yellow)", "--", "&1 - Green Sticky", "&2 - Pink Sticky",
                          "&3 - Orange Sticky", "&4 - Light Blue Sticky", "&5 - Lavender Sticky",
                          "--", "More..."}));

    // The options window stores the renamed preset; the next menu shows it.
    NativeSettings::setValue(userKey(Names::OneColor), oneName);
    NativeSettings::setValue(userKey(Names::OneRGB), QStringLiteral("#BDFCC9"));
    const std::unique_ptr<QMenu> after = note->createContextMenu();
    const QAction *one = colorMenu(*after)->actions().at(2);
    QCOMPARE(one->text(), expected);
    const QImage swatch = one->icon().pixmap(12, 12).toImage();
    QCOMPARE(swatch.pixelColor(5, 5), QColor(QStringLiteral("#BDFCC9")));
    QCOMPARE(swatch.pixelColor(0, 0), QColor(Qt::black));
}

void TestStickyCommands::presetRecolours_data()
{
    QTest::addColumn<int>("entryIndex");  // position in the colour submenu
    QTest::addColumn<QString>("rgbName"); // the preset's colour setting
    QTest::addColumn<QString>("storedRgb");
    QTest::addColumn<QString>("rgb");
    QTest::addColumn<QString>("name");

    QTest::newRow("default") << 0 << Names::DefaultRGB << "#FFFF00"
                             << "#FFFF00"
                             << "Yellow";
    QTest::newRow("one") << 2 << Names::OneRGB << "#00FF00"
                         << "#00FF00"
                         << "Green";
    QTest::newRow("two") << 3 << Names::TwoRGB << "#FFC0CB"
                         << "#FFC0CB"
                         << "Pink";
    QTest::newRow("three") << 4 << Names::ThreeRGB << "#FF8000"
                           << "#FF8000"
                           << "Orange";
    QTest::newRow("four") << 5 << Names::FourRGB << "#ADD8E6"
                          << "#ADD8E6"
                          << "Light Blue";
    QTest::newRow("five") << 6 << Names::FiveRGB << "#E6E6FA"
                          << "#E6E6FA"
                          << "Lavender";
    // A preset whose colour setting was lost or mangled leaves the note as it is.
    QTest::newRow("five, no colour stored") << 6 << Names::FiveRGB << ""
                                            << "#8A2BE2"
                                            << "Blue Violet";
    QTest::newRow("two, not a colour") << 3 << Names::TwoRGB << "pinkish"
                                       << "#8A2BE2"
                                       << "Blue Violet";
}

void TestStickyCommands::presetRecolours()
{
    QFETCH(int, entryIndex);
    QFETCH(QString, rgbName);
    QFETCH(QString, storedRgb);
    QFETCH(QString, rgb);
    QFETCH(QString, name);
    NativeSettings::setValue(userKey(rgbName), storedRgb);
    auto note = std::unique_ptr<StickyWidget>(
        newTestNote(4, QStringLiteral("#8A2BE2"), QStringLiteral("Blue Violet"), kMonday,
                    QDateTime(), QDateTime(), QString(), false, QString()));
    note->show();
    QCOMPARE(paintedBackground(*note), QColor(QStringLiteral("#8A2BE2")));
    QSignalSpy rowChanged(note.get(), &StickyWidget::updateTableWidgetItems);

    const std::unique_ptr<QMenu> menu = note->createContextMenu();
    colorMenu(*menu)->actions().at(entryIndex)->trigger();
    QCOMPARE(note->colorRGB(), rgb);
    QCOMPARE(note->colorName(), name);
    QCOMPARE(paintedBackground(*note), QColor(rgb));
    QCOMPARE(note->textBrowser()->palette().color(QPalette::Base), QColor(rgb));
    QCOMPARE(rowChanged.count(), rgb == storedRgb ? 1 : 0);
}

void TestStickyCommands::colorDialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("rgb");
    QTest::addColumn<QString>("name");

    QTest::newRow("mint") << "&OK"
                          << "#BDFCC9"
                          << "Mint";
    QTest::newRow("cancelled") << "&Cancel"
                               << "#123456"
                               << "My Own";
}

void TestStickyCommands::colorDialog()
{
    QFETCH(QString, button);
    QFETCH(QString, rgb);
    QFETCH(QString, name);
    // The note's own colour is none of the palette's.
    auto note = std::unique_ptr<StickyWidget>(
        newTestNote(5, QStringLiteral("#123456"), QStringLiteral("My Own"), kMonday, QDateTime(),
                    QDateTime(), QString(), false, QString()));
    note->show();
    QString title;
    QString preselected;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<RZColorSelectorDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        RZColorSelector *selector = dialog->colorSelector();
        preselected = selector->currentText();
        DialogDriving::pickItem(selector, selector->findText(QStringLiteral("Mint")));
        DialogDriving::button(dialog, button)->click();
    });
    note->showColorChangeDialog();
    QCOMPARE(title, QStringLiteral("Color Chooser"));
    QCOMPARE(preselected, QStringLiteral("My Own"));
    QCOMPARE(note->colorRGB(), rgb);
    QCOMPARE(note->colorName(), name);
    QCOMPARE(paintedBackground(*note), QColor(rgb));
}

void TestStickyCommands::deleteSticky_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("warn");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<bool>("warnNextTime");

    QTest::newRow("warning off") << false << false << false << QString() << true << false;
    QTest::newRow("warning, yes") << false << true << false << "&Yes" << true << true;
    QTest::newRow("warning ticked, yes") << false << true << true << "&Yes" << true << false;
    QTest::newRow("warning, cancel") << false << true << false << "&Cancel" << false << true;
    // Enter takes the default button, which is Cancel.
    QTest::newRow("warning, enter") << false << true << false << "Enter" << false << true;
    QTest::newRow("warning ticked, cancel") << false << true << true << "&Cancel" << false << true;
    QTest::newRow("locked") << true << true << false << QString() << false << true;
    QTest::newRow("locked, warning off") << true << false << false << QString() << false << false;
}

void TestStickyCommands::deleteSticky()
{
    QFETCH(bool, locked);
    QFETCH(bool, warn);
    QFETCH(bool, tick);
    QFETCH(QString, button);
    QFETCH(bool, deleted);
    QFETCH(bool, warnNextTime);
    NativeSettings::setValue(userKey(Names::DeleteWarning), warn);
    auto note = makeNote(locked);
    note->show();
    QSignalSpy deletions(note.get(), &StickyWidget::stickyDeleted);
    QString boxTitle;
    if (!button.isEmpty()) {
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<RZToggleMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            boxTitle = box->windowTitle();
            if (tick)
                box->findChild<QCheckBox *>()->click();
            if (button == QLatin1String("Enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else
                DialogDriving::button(box, button)->click();
        });
    }
    if (locked)
        UserPrompt::queueAnswer(QMessageBox::Ok);
    note->deleteSticky();

    QCOMPARE(boxTitle, button.isEmpty() ? QString() : QStringLiteral("Warning: Deleting Sticky"));
    QCOMPARE(deletions.count(), deleted ? 1 : 0);
    QVERIFY(note->isVisible()); // the main window, not the note, takes it away
    QCOMPARE(userBool(Names::DeleteWarning), warnNextTime);
    const QList<UserPrompt::Record> prompts = UserPrompt::takeHistory();
    QCOMPARE(prompts.size(), locked ? 1 : 0);
    if (locked)
        QCOMPARE(prompts.at(0).title, QStringLiteral("Sticky Locked"));
}

void TestStickyCommands::printsHeadingAndText()
{
    auto note = makeNote(
        false, QStringLiteral("<p>Buy <b>milk</b> &lt;today&gt;</p><p>%1 and %2 done</p>"));
    const QString pdf = m_dir.filePath(QStringLiteral("note.pdf"));
    StandardDialogs::queuePrintToFile(pdf);
    note->print();
    QCOMPARE(takePrintDialogCount(), 1);
    QCOMPARE(UserPrompt::takeHistory().size(), 0);

    const QString text = pdfText(pdf);
    const QString sticky = QStringLiteral("Sticky: \"Buy milk <today> % and % done\"");
    const QString created = QStringLiteral("Created: Monday, 06 March 2006, 2:05 PM");
    const qsizetype stickyAt = text.indexOf(sticky);
    const qsizetype createdAt = text.indexOf(created);
    const qsizetype bodyAt = text.indexOf(QStringLiteral("Buy milk <today>\n"));
    const qsizetype lastAt = text.indexOf(QStringLiteral("%1 and %2 done"));
    QVERIFY2(stickyAt >= 0 && createdAt > stickyAt && bodyAt > createdAt && lastAt > bodyAt,
             qPrintable(text));
    // One empty line between the heading and the note's text.
    QVERIFY2(text.mid(createdAt + created.size(), 2) == QStringLiteral("\n\n"), qPrintable(text));
}

void TestStickyCommands::printCancelledOrFailing_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("warnings");

    QTest::newRow("cancelled") << false << "cancelled.pdf" << 0;
    QTest::newRow("file cannot be written") << true << "no/such/folder/note.pdf" << 1;
}

void TestStickyCommands::printCancelledOrFailing()
{
    QFETCH(bool, accept);
    QFETCH(QString, file);
    QFETCH(int, warnings);
    auto note = makeNote();
    const QString pdf = m_dir.filePath(file);
    StandardDialogs::queuePrintToFile(accept ? std::optional<QString>(pdf) : std::nullopt);
    UserPrompt::queueAnswer(QMessageBox::Ok);
    note->print();
    QVERIFY(!QFile::exists(pdf));
    const QList<UserPrompt::Record> prompts = UserPrompt::takeHistory();
    QCOMPARE(prompts.size(), warnings);
    if (warnings) {
        QCOMPARE(prompts.at(0).title, QStringLiteral("Printing Failed"));
    } else {
        // The answer queued in case of a wrong warning is not left to later tests.
        UserPrompt::warning(nullptr, {}, {}, QMessageBox::Ok, QMessageBox::Ok);
        UserPrompt::takeHistory();
    }
}

void TestStickyCommands::printToPdfThroughTheDialog()
{
    // No printer is installed: the print dialog still prints to a PDF file.
    auto note = makeNote(false, QStringLiteral("<p>Through the dialog</p>"));
    const QString pdf = m_dir.filePath(QStringLiteral("dialog.pdf"));
    bool shown = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        shown = true;
        auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        QVERIFY(fileName);
        fileName->setText(pdf);
        dialog->accept();
    });
    QTimer watchdog; // a dialog left open must not hang the test
    connect(&watchdog, &QTimer::timeout, this, [] {
        if (auto *stuck = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            stuck->reject();
    });
    watchdog.start(10000);
    note->print();
    QVERIFY(shown);
    QVERIFY2(pdfText(pdf).contains(QStringLiteral("Through the dialog")), qPrintable(pdf));
}

void TestStickyCommands::lockedNoteKeepsItsText_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("locked");

    for (const char *command : {"Ctrl+B", "Ctrl+I", "Ctrl+U", "Ctrl+S", "bold slot", "typing",
                                "backspace", "paste", "drop", "input method", "editor"}) {
        QTest::addRow("%s, locked", command) << QString::fromLatin1(command) << true;
        QTest::addRow("%s, unlocked", command) << QString::fromLatin1(command) << false;
    }
}

void TestStickyCommands::lockedNoteKeepsItsText()
{
    QFETCH(QString, command);
    QFETCH(bool, locked);
    auto note = makeNote(false, QStringLiteral("<p>Call the plumber</p>"));
    note->show();
    QApplication::setActiveWindow(note.get());
    auto *browser = qobject_cast<ELinkTextBrowser *>(note->textBrowser());
    QVERIFY(browser);
    browser->setFocus();
    browser->moveCursor(QTextCursor::End);
    QTest::keyClicks(browser, QStringLiteral(" now"));
    note->lockSticky(locked);
    browser->selectAll();
    const QString before = note->message();

    if (command.startsWith(QLatin1String("Ctrl+"))) {
        QTest::keyClick(browser, command.back().toLower().toLatin1(), Qt::ControlModifier);
    } else if (command == QLatin1String("bold slot")) {
        browser->boldText();
    } else if (command == QLatin1String("typing")) {
        QTest::keyClicks(browser, QStringLiteral("xyz"));
    } else if (command == QLatin1String("backspace")) {
        QTest::keyClick(browser, Qt::Key_Backspace);
    } else if (command == QLatin1String("paste")) {
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClick(browser, Qt::Key_V, Qt::ControlModifier);
    } else if (command == QLatin1String("drop")) {
        QMimeData mime;
        mime.setText(QStringLiteral("dropped"));
        const QPoint at(5, 5);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(browser->viewport(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(browser->viewport(), &drop);
    } else if (command == QLatin1String("editor")) {
        bool edited = false;
        QTimer::singleShot(0, this, [&edited] {
            auto *editor = qobject_cast<rz_RichTextEditor *>(QApplication::activeModalWidget());
            QVERIFY(editor);
            QTextCursor cursor(editor->editingArea()->document());
            cursor.insertText(QStringLiteral("edited "));
            editor->accept();
            edited = true;
        });
        const std::unique_ptr<QMenu> menu = note->createContextMenu();
        entry(*menu, "Rich Text &Editor")->trigger();
        QVERIFY(edited);
    } else if (command == QLatin1String("input method")) {
        QInputMethodEvent compose(QString(), {});
        compose.setCommitString(QStringLiteral("composed"));
        QApplication::sendEvent(browser, &compose);
    }

    // The unlocked note shows that each command does change a note's text.
    QCOMPARE(note->message() == before, locked);
    QCOMPARE(note->isLocked(), locked);
}

QTEST_MAIN(TestStickyCommands)
#include "tst_stickycommands.moc"
