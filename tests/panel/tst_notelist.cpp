#include "app/mainwindow.h"
#include "menutexts.h"
#include "notes/stickywidget.h"
#include "panel/tablecheckbox.h"
#include "panel/tablelabel.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"

#include <QApplication>
#include <QGridLayout>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <memory>

namespace {

const QDateTime kCreated(QDate(2026, 3, 4), QTime(9, 15));

StickyWidget *addNote(int id, const QString &rgb, const QString &name, const QString &text,
                      bool visible, const QDateTime &reminder = QDateTime())
{
    auto *note = new StickyWidget(id, rgb, name, kCreated.addDays(id), reminder, reminder,
                                  QString(), false, QStringLiteral("<p>%1</p>").arg(text));
    note->setVisible(visible);
    stickyList.append(note);
    return note;
}

template <typename T = QWidget> T *cell(const TableWidget &list, int noteIndex, int column)
{
    QLayoutItem *item =
        list.gridLayout()->itemAtPosition(TableWidget::kFirstNoteRow + noteIndex, column);
    return item ? qobject_cast<T *>(item->widget()) : nullptr;
}

QRgb centreOf(const QPixmap &pixmap)
{
    return pixmap.toImage().pixel(pixmap.width() / 2, pixmap.height() / 2);
}

} // namespace

class TestNoteList : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyListHasHeaderOnly();
    void rowsShowNotesInListOrder();
    void rowsFollowNoteChanges();
    void leftClickBringsNoteForward_data();
    void leftClickBringsNoteForward();
    void checkBoxShowsAndHidesNote();
    void contextMenuShowsCurrentPresets_data();
    void contextMenuShowsCurrentPresets();
    void menuEntriesRunNoteCommands_data();
    void menuEntriesRunNoteCommands();
    void colourNameIsNeverMarkup();
    void deletedNoteLeavesCellsInert();
};

void TestNoteList::init()
{
    using namespace Preferences;
    for (const Preference &entry : allPreferences())
        NativeSettings::setValue(userKey(entry.name), entry.factoryDefault);
    NativeSettings::setValue(userKey(Names::DateFormat), QStringLiteral("yyyy-MM-dd hh:mm"));
}

void TestNoteList::cleanup()
{
    qDeleteAll(std::exchange(stickyList, {}));
}

void TestNoteList::emptyListHasHeaderOnly()
{
    const TableWidget list;
    QCOMPARE(list.gridLayout()->count(), 5); // four headings and the line
    QStringList headings;
    for (int column = 0; column < 5; ++column) {
        QLayoutItem *item = list.gridLayout()->itemAtPosition(0, column);
        headings << (item ? qobject_cast<QLabel *>(item->widget())->text() : QString());
    }
    QCOMPARE(headings, QStringList({"Visible", "Color", "Date Created", "", "Message"}));
    auto *line = qobject_cast<QFrame *>(list.gridLayout()->itemAtPosition(1, 0)->widget());
    QVERIFY(line);
    QCOMPARE(line->frameShape(), QFrame::HLine);
    int row, column, rowSpan, columnSpan;
    list.gridLayout()->getItemPosition(list.gridLayout()->indexOf(line), &row, &column, &rowSpan,
                                       &columnSpan);
    QCOMPARE(columnSpan, 5);
}

void TestNoteList::rowsShowNotesInListOrder()
{
    const QDateTime reminder(QDate(2026, 5, 6), QTime(7, 30));
    addNote(3, "#ADD8E6", "Light Blue", "first note", true);
    addNote(1, "#FFC0CB", "Pink", "second note", false, reminder);
    addNote(2, "#FFFF00", "Yellow", "third note with a somewhat longer text", true);

    const TableWidget list;
    QCOMPARE(list.gridLayout()->count(), 5 + 3 * 5);
    for (int i = 0; i < stickyList.size(); ++i) {
        const StickyWidget *note = stickyList.at(i);
        QCOMPARE(cell<TableCheckBox>(list, i, 0)->isChecked(), note->isVisible());
        const auto *colour = cell<TableLabel>(list, i, 1);
        QCOMPARE(QColor(centreOf(colour->pixmap())), QColor(note->colorRGB()));
        QCOMPARE(colour->toolTip(), note->colorName() + " Sticky");
        QVERIFY(colour->text().isEmpty());
        const auto *date = cell<TableLabel>(list, i, 2);
        QCOMPARE(date->text(), note->creationDate().toString("yyyy-MM-dd hh:mm"));
        QCOMPARE(date->toolTip(), note->reminderStatusText());
        const auto *clock = cell<TableLabel>(list, i, 3);
        QCOMPARE(clock->pixmap().isNull(), note->reminderDate().isNull());
        QCOMPARE(clock->toolTip().isEmpty(), note->reminderDate().isNull());
        const auto *message = cell<TableLabel>(list, i, 4);
        QCOMPARE(message->text(), note->summaryText());
        QCOMPARE(message->toolTip(), note->reminderStatusText());
    }
    QCOMPARE(cell<TableLabel>(list, 1, 3)->toolTip(),
             "Reminder scheduled for: " + reminder.toString("dd MMM yyyy hh:mm AP"));
    QCOMPARE(cell<TableLabel>(list, 0, 4)->text(), "\"first note\"");
}

void TestNoteList::rowsFollowNoteChanges()
{
    StickyWidget *note = addNote(1, "#FFFF00", "Yellow", "old text", true);
    const TableWidget list;
    auto *clock = cell<TableLabel>(list, 0, 3);
    QVERIFY(clock->pixmap().isNull());

    const QDateTime reminder(QDate(2026, 8, 1), QTime(12, 0));
    note->setReminder(reminder, reminder, QString());
    QVERIFY(!clock->pixmap().isNull());
    QCOMPARE(clock->toolTip(), note->reminderStatusText());
    QCOMPARE(cell<TableLabel>(list, 0, 2)->toolTip(), note->reminderStatusText());

    note->textBrowser()->setPlainText(QStringLiteral("new text"));
    note->lostFocus();
    QCOMPARE(cell<TableLabel>(list, 0, 4)->text(), "\"new text\"");

    note->setReminder(QDateTime(), QDateTime(), QString());
    QVERIFY(clock->pixmap().isNull());
    QVERIFY(clock->toolTip().isEmpty());
    QCOMPARE(cell<TableLabel>(list, 0, 4)->toolTip(), "No reminder set.");
}

void TestNoteList::leftClickBringsNoteForward_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("shown");
    QTest::newRow("message, left") << 4 << Qt::LeftButton << true;
    QTest::newRow("colour, left") << 1 << Qt::LeftButton << true;
    QTest::newRow("date, left") << 2 << Qt::LeftButton << true;
    QTest::newRow("reminder, left") << 3 << Qt::LeftButton << true;
    QTest::newRow("message, middle") << 4 << Qt::MiddleButton << false;
    QTest::newRow("message, right") << 4 << Qt::RightButton << false;
}

void TestNoteList::leftClickBringsNoteForward()
{
    QFETCH(int, column);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, shown);
    StickyWidget *note = addNote(1, "#FFFF00", "Yellow", "hidden away", false);
    TableWidget list;
    list.show();
    QSignalSpy rowRefresh(note, &StickyWidget::updateTableWidgetItems);

    QTest::mouseClick(cell(list, 0, column), button);
    QCOMPARE(note->isVisible(), shown);
    QCOMPARE(cell<TableCheckBox>(list, 0, 0)->isChecked(), shown);
    QCOMPARE(rowRefresh.count() > 0, shown);
}

void TestNoteList::checkBoxShowsAndHidesNote()
{
    StickyWidget *note = addNote(5, "#90EE90", "Light Green", "keep me", true);
    TableWidget list;
    list.show();
    auto *box = cell<TableCheckBox>(list, 0, 0);
    QVERIFY(box->isChecked());

    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!note->isVisible());
    QCOMPARE(stickyList.size(), 1);
    QCOMPARE(note->summaryText(), "\"keep me\"");
    QCOMPARE(note->colorRGB(), "#90EE90");

    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(note->isVisible());

    // Hiding from the note's own window clears the box.
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::HideWarning), false);
    QMetaObject::invokeMethod(note, "hideSticky");
    QVERIFY(!note->isVisible());
    QVERIFY(!box->isChecked());
}

void TestNoteList::contextMenuShowsCurrentPresets_data()
{
    QTest::addColumn<QString>("colorKey");
    QTest::addColumn<QString>("rgbKey");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    using namespace Preferences::Names;
    QTest::newRow("default") << DefaultColor << DefaultRGB << 0 << "Peach Puff"
                             << "&Default Sticky (Peach Puff)";
    QTest::newRow("one") << OneColor << OneRGB << 2 << "Peach Puff"
                         << "&1 - Peach Puff Sticky";
    QTest::newRow("three") << ThreeColor << ThreeRGB << 4 << "Peach Puff"
                           << "&3 - Peach Puff Sticky";
    QTest::newRow("five") << FiveColor << FiveRGB << 6 << "Peach Puff"
                          << "&5 - Peach Puff Sticky";
    QTest::newRow("ampersand") << TwoColor << TwoRGB << 3 << "Salt & Pepper"
                               << "&2 - Salt && Pepper Sticky";
    QTest::newRow("placeholder") << FourColor << FourRGB << 5 << "%1 Blue"
                                 << "&4 - %1 Blue Sticky";
}

void TestNoteList::contextMenuShowsCurrentPresets()
{
    QFETCH(QString, colorKey);
    QFETCH(QString, rgbKey);
    QFETCH(int, entry);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    addNote(1, "#FFFF00", "Yellow", "menu", true);
    const TableWidget list;
    // Changed after the list was built, as by the options window.
    NativeSettings::setValue(Preferences::userKey(colorKey), name);
    NativeSettings::setValue(Preferences::userKey(rgbKey), QStringLiteral("#FFDAB9"));

    const std::unique_ptr<QMenu> menu = cell<TableLabel>(list, 0, 4)->createContextMenu();
    QVERIFY(menu);
    const QList<QAction *> top = menu->actions();
    QCOMPARE(top.size(), 4);
    QCOMPARE(top.at(0)->text(), "&Delete");
    QVERIFY(top.at(1)->isSeparator());
    QCOMPARE(top.at(2)->text(), "Change &Color");
    QCOMPARE(top.at(3)->text(), "Set/Edit &Reminder");
    const QMenu *colours = top.at(2)->menu();
    QVERIFY(colours);
    const QStringList texts = menuTexts(*colours);
    QCOMPARE(texts.size(), 9);
    QCOMPARE(texts.at(1), "--");
    QCOMPARE(texts.at(7), "--");
    QCOMPARE(texts.at(8), "More...");
    QCOMPARE(texts.at(entry), expected);
    const QPixmap icon = colours->actions().at(entry)->icon().pixmap(12, 12);
    QCOMPARE(QColor(centreOf(icon)), QColor("#FFDAB9"));
    // The other entries keep their factory names.
    if (entry != 2)
        QCOMPARE(texts.at(2), "&1 - Light Blue Sticky");
}

void TestNoteList::menuEntriesRunNoteCommands_data()
{
    QTest::addColumn<int>("entry");      // in the top menu
    QTest::addColumn<int>("colorEntry"); // in "Change &Color", or -1
    QTest::addColumn<QString>("dialog"); // the dialog the command opens, if any
    QTest::addColumn<QString>("rgb");    // the note's colour afterwards
    QTest::addColumn<bool>("deleted");
    QTest::newRow("delete") << 0 << -1 << ""
                            << "#FFFF00" << true;
    QTest::newRow("default colour") << 2 << 0 << ""
                                    << "#FFC0CB" << false;
    QTest::newRow("preset one") << 2 << 2 << ""
                                << "#ADD8E6" << false;
    QTest::newRow("preset four") << 2 << 5 << ""
                                 << "#FFC0CB" << false;
    QTest::newRow("more colours") << 2 << 8 << "RZColorSelectorDialog"
                                  << "#FFFF00" << false;
    QTest::newRow("reminder") << 3 << -1 << "SetReminderDialog"
                              << "#FFFF00" << false;
}

void TestNoteList::menuEntriesRunNoteCommands()
{
    QFETCH(int, entry);
    QFETCH(int, colorEntry);
    QFETCH(QString, dialog);
    QFETCH(QString, rgb);
    QFETCH(bool, deleted);
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DefaultRGB), "#FFC0CB");
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DeleteWarning), false);
    StickyWidget *note = addNote(1, "#FFFF00", "Yellow", "remind me", true);
    QSignalSpy deletion(note, &StickyWidget::stickyDeleted);
    const TableWidget list;
    const std::unique_ptr<QMenu> menu = cell<TableLabel>(list, 0, 2)->createContextMenu();
    QAction *action = menu->actions().at(entry);
    if (colorEntry >= 0)
        action = action->menu()->actions().at(colorEntry);

    QString dialogType;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, [&dialogType] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            dialogType = modal->metaObject()->className();
            modal->close();
        }
    });
    action->trigger();
    // The command runs once the menu's event is over, never inside it.
    QCOMPARE(deletion.count(), 0);
    QCOMPARE(note->colorRGB(), "#FFFF00");
    poll.start();
    if (!dialog.isEmpty())
        QTRY_COMPARE(dialogType, dialog);
    else
        QTRY_VERIFY(deletion.count() > 0 || note->colorRGB() != "#FFFF00");
    QCOMPARE(deletion.count() > 0, deleted);
    QCOMPARE(note->colorRGB(), rgb);
    if (colorEntry >= 0 && dialog.isEmpty())
        QCOMPARE(QColor(centreOf(cell<TableLabel>(list, 0, 1)->pixmap())), QColor(rgb));
}

// A colour name the user made up is shown as typed, even when it looks like
// markup (a picture name in it would be loaded).
void TestNoteList::colourNameIsNeverMarkup()
{
    addNote(1, "#123456", "<img src=\"missing.png\"> & <b>bold</b>", "plain", true);
    const TableWidget list;
    QTextDocument shown;
    shown.setHtml(cell<TableLabel>(list, 0, 1)->toolTip());
    QCOMPARE(shown.toPlainText(), "<img src=\"missing.png\"> & <b>bold</b> Sticky");
}

void TestNoteList::deletedNoteLeavesCellsInert()
{
    StickyWidget *note = addNote(1, "#FFFF00", "Yellow", "short-lived", true);
    TableWidget list;
    list.show();
    stickyList.removeOne(note);
    delete note;
    auto *message = cell<TableLabel>(list, 0, 4);
    QTest::mouseClick(message, Qt::LeftButton);
    message->updateLabel();
    QCOMPARE(message->text(), "\"short-lived\"");
    QVERIFY(!message->createContextMenu());
    QTest::mouseClick(cell<TableCheckBox>(list, 0, 0), Qt::LeftButton);
}

QTEST_MAIN(TestNoteList)
#include "tst_notelist.moc"
