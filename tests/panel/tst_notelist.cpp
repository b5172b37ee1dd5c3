#include "app/mainwindow.h"
#include "menutexts.h"
#include "notes/stickywidget.h"
#include "panel/tablecheckbox.h"
#include "panel/tablelabel.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "testnotes.h"

#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace {

const QDateTime kCreated(QDate(2026, 3, 4), QTime(9, 15));

StickyWidget *addNote(int id, const QString &rgb, const QString &name, const QString &text,
                      bool visible, const QDateTime &reminder = QDateTime())
{
    auto *note = newTestNote(id, rgb, name, kCreated.addDays(id), reminder, reminder, QString(),
                             false, QStringLiteral("<p>%1</p>").arg(text));
    note->setVisible(visible);
    stickyList.append(note);
    return note;
}

template <typename T = QWidget> T *cell(TableWidget &list, int noteIndex, int column)
{
    return qobject_cast<T *>(list.cell(noteIndex, TableWidget::Column(column)));
}

QRgb centreOf(const QPixmap &pixmap)
{
    return pixmap.toImage().pixel(pixmap.width() / 2, pixmap.height() / 2);
}

// Far more notes than rows fit on a screen, each with its own text.
constexpr int kLongList = 400;

// The text of note `i` of the long list: its number in letters, as the
// summary leaves out digits ("note bcd" for 123).
QString longListText(int i)
{
    QString text = QString::number(i);
    for (QChar &digit : text)
        digit = QChar(digit.unicode() - u'0' + u'a');
    return QStringLiteral("note ") + text;
}

void addLongList()
{
    for (int i = 0; i < kLongList; ++i)
        addNote(i, "#FFFF00", "Yellow", longListText(i), false);
}

// The list in a scroll area below a field, as in the control panel.
struct Panel
{
    Panel()
    {
        auto *layout = new QVBoxLayout(&window);
        field = new QLineEdit(&window);
        area = new QScrollArea(&window);
        area->setWidgetResizable(true);
        list = new TableWidget;
        area->setWidget(list);
        layout->addWidget(field);
        layout->addWidget(area);
        window.resize(500, 300);
        window.show();
        window.activateWindow();
    }
    // Whether the whole height of `cell` is in view.
    bool inView(const QWidget *cell) const
    {
        const int top = cell->mapTo(area->viewport(), QPoint()).y();
        return top >= 0 && top + cell->height() <= area->viewport()->height();
    }

    QWidget window;
    QLineEdit *field;
    QScrollArea *area;
    TableWidget *list;
};

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
    void rowsInViewShowTheirNotes_data();
    void rowsInViewShowTheirNotes();
    void keyboardMovesAlongRows_data();
    void keyboardMovesAlongRows();
    void rowKeysActOnTheNote_data();
    void rowKeysActOnTheNote();
    void cellsNameTheirNote();
    void scrolledRowsActOnTheirNote_data();
    void scrolledRowsActOnTheirNote();
    void rowMadeLaterShowsChangedNote_data();
    void rowMadeLaterShowsChangedNote();
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
    TableWidget list;
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

    TableWidget list;
    QCOMPARE(list.noteCount(), 3);
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
    TableWidget list;
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
    TableWidget list;
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
    TableWidget list;
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
    TableWidget list;
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

void TestNoteList::rowsInViewShowTheirNotes_data()
{
    QTest::addColumn<double>("scrolled"); // share of the scroll bar's range
    QTest::addColumn<int>("lowest");      // of the notes seen
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("seenNote");
    QTest::newRow("top") << 0.0 << 0 << 20 << 0;
    QTest::newRow("middle") << 0.5 << kLongList / 2 - 20 << kLongList / 2 + 20 << kLongList / 2;
    QTest::newRow("end") << 1.0 << kLongList - 20 << kLongList - 1 << kLongList - 1;
}

void TestNoteList::rowsInViewShowTheirNotes()
{
    QFETCH(double, scrolled);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(int, seenNote);
    addLongList();
    Panel panel;
    QVERIFY(QTest::qWaitForWindowExposed(&panel.window));
    QScrollBar *bar = panel.area->verticalScrollBar();
    bar->setValue(qRound(bar->maximum() * scrolled));

    // Reads the rows off the screen, down the middle of the date and summary
    // columns.
    QWidget *viewport = panel.area->viewport();
    const auto columnX = [&](const QString &heading) {
        for (const QLabel *label : panel.list->findChildren<QLabel *>()) {
            if (label->text() == heading)
                return label->mapTo(viewport, QPoint(label->width() / 2, 0)).x();
        }
        return -1;
    };
    const int dateX = columnX("Date Created");
    const int messageX = columnX("Message");
    QList<int> seen;
    for (int y = 0; y < viewport->height(); ++y) {
        const auto *message = qobject_cast<TableLabel *>(viewport->childAt(messageX, y));
        const auto *date = qobject_cast<TableLabel *>(viewport->childAt(dateX, y));
        if (!message || !date)
            continue;
        const int note = int(stickyList.indexOf(message->stickyWidget()));
        QCOMPARE(date->stickyWidget(), message->stickyWidget());
        QCOMPARE(message->text(), '"' + longListText(note) + '"');
        QVERIFY(date->width() >= date->sizeHint().width());
        if (seen.isEmpty() || seen.constLast() != note)
            seen << note;
    }
    QVERIFY(seen.size() > 3);
    QVERIFY(seen.contains(seenNote));
    for (int i = 0; i < seen.size(); ++i) {
        QCOMPARE(seen.at(i), seen.constFirst() + i);
        QVERIFY(seen.at(i) >= lowest && seen.at(i) <= highest);
    }
    // Only the rows around the view have cells.
    int labels = 0;
    for (const TableLabel *label : panel.list->findChildren<TableLabel *>())
        labels += label->isHidden() ? 0 : 1;
    QVERIFY2(labels < 4 * 60, qPrintable(QString::number(labels)));
}

void TestNoteList::keyboardMovesAlongRows_data()
{
    QTest::addColumn<int>("start");       // the row focused first; none: the field
    QTest::addColumn<bool>("scrollAway"); // then the list scrolled to its top, the field focused
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("focused");
    QTest::addColumn<int>("shownNote"); // the one note shown afterwards, if any
    const int down = Qt::Key_Down;
    const int up = Qt::Key_Up;
    const int space = Qt::Key_Space;
    const int tab = Qt::Key_Tab;
    QTest::newRow("down") << 200 << false << QList<int>{down} << 201 << -1;
    QTest::newRow("up") << 200 << false << QList<int>{up} << 199 << -1;
    QTest::newRow("down past the view") << 200 << false << QList<int>(20, down) << 220 << -1;
    QTest::newRow("up at the top") << 0 << false << QList<int>{up} << 0 << -1;
    QTest::newRow("down at the end")
        << kLongList - 1 << false << QList<int>{down} << kLongList - 1 << -1;
    QTest::newRow("space ticks the row") << 300 << false << QList<int>{space} << 300 << 300;
    QTest::newRow("down, then space") << 300 << false << QList<int>{down, space} << 301 << 301;
    QTest::newRow("tab into the list") << -1 << false << QList<int>{tab, tab} << 0 << -1;
    QTest::newRow("tab back to a row scrolled away")
        << 320 << true << QList<int>{tab, tab, space} << 320 << 320;
}

void TestNoteList::keyboardMovesAlongRows()
{
    QFETCH(int, start);
    QFETCH(bool, scrollAway);
    QFETCH(QList<int>, keys);
    QFETCH(int, focused);
    QFETCH(int, shownNote);
    addLongList();
    Panel panel;
    QVERIFY(QTest::qWaitForWindowActive(&panel.window));
    QWidget *startBox = start >= 0 ? panel.list->cell(start, TableWidget::VisibleColumn) : nullptr;
    if (startBox)
        startBox->setFocus(Qt::MouseFocusReason);
    if (scrollAway) {
        panel.area->verticalScrollBar()->setValue(0);
        QVERIFY(!panel.inView(startBox));
    }
    if (start < 0 || scrollAway)
        panel.field->setFocus();

    for (const int key : keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    const auto *box = qobject_cast<TableCheckBox *>(QApplication::focusWidget());
    QVERIFY(box);
    QCOMPARE(box->stickyWidget(), stickyList.at(focused));
    QVERIFY(panel.inView(box));
    QCOMPARE(box->isChecked(), focused == shownNote);
    for (int i = 0; i < kLongList; ++i)
        QCOMPARE(stickyList.at(i)->isVisible(), i == shownNote);
}

void TestNoteList::rowKeysActOnTheNote_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("menu");
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true << false;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                           << true << false;
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return)
                                 << Qt::KeyboardModifiers(Qt::ControlModifier) << false << false;
    QTest::newRow("Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers() << false << true;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << false << true;
    QTest::newRow("F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers() << false << false;
}

void TestNoteList::rowKeysActOnTheNote()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, shown);
    QFETCH(bool, menu);
    addLongList();
    Panel panel;
    QVERIFY(QTest::qWaitForWindowActive(&panel.window));
    QWidget *box = panel.list->cell(300, TableWidget::VisibleColumn);
    box->setFocus(Qt::MouseFocusReason);
    QStringList entries;
    QTimer::singleShot(0, this, [&entries] {
        if (auto *open = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : open->actions())
                entries.append(action->text());
            open->close();
        }
    });
    QTest::keyClick(box, Qt::Key(key), modifiers);
    QCoreApplication::processEvents();
    // The row's own menu, the one its cells open on a right click.
    QCOMPARE(entries.value(0), menu ? QStringLiteral("&Delete") : QString());
    for (int i = 0; i < kLongList; ++i)
        QCOMPARE(stickyList.at(i)->isVisible(), shown && i == 300);
}

void TestNoteList::cellsNameTheirNote()
{
    const QDateTime reminder(QDate(2026, 5, 6), QTime(7, 30));
    addNote(1, "#FFC0CB", "Pink", "Buy milk", false, reminder);
    addNote(2, "#FFFF00", "Yellow", "", true);
    TableWidget list;
    QCOMPARE(cell(list, 0, 0)->accessibleName(), "Shown: Buy milk");
    QCOMPARE(cell(list, 0, 1)->accessibleName(), "Color of Buy milk: Pink");
    QCOMPARE(cell(list, 0, 2)->accessibleName(), "Created Buy milk: 2026-03-05 09:15");
    QCOMPARE(cell(list, 0, 3)->accessibleName(),
             "Reminder of Buy milk: " + stickyList.at(0)->reminderStatusText());
    QCOMPARE(cell(list, 0, 4)->accessibleName(), "Note: Buy milk");
    QCOMPARE(cell(list, 1, 0)->accessibleName(), "Shown: Empty note");
    QCOMPARE(cell(list, 1, 3)->accessibleName(), "No reminder for Empty note");
    // A changed note renames its row.
    stickyList.at(1)->textBrowser()->setPlainText("Call Anna");
    stickyList.at(1)->lostFocus();
    QCOMPARE(cell(list, 1, 0)->accessibleName(), "Shown: Call Anna");
}

void TestNoteList::scrolledRowsActOnTheirNote_data()
{
    QTest::addColumn<int>("note");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("menu"); // preset one from the cell's menu, or a left click
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("rgb");
    QTest::newRow("tick, middle") << 250 << 0 << false << true << "#FFFF00";
    QTest::newRow("tick, last") << kLongList - 1 << 0 << false << true << "#FFFF00";
    QTest::newRow("summary click") << 250 << 4 << false << true << "#FFFF00";
    QTest::newRow("menu, middle") << 250 << 2 << true << false << "#ADD8E6";
    QTest::newRow("menu, last") << kLongList - 1 << 4 << true << false << "#ADD8E6";
}

void TestNoteList::scrolledRowsActOnTheirNote()
{
    QFETCH(int, note);
    QFETCH(int, column);
    QFETCH(bool, menu);
    QFETCH(bool, shown);
    QFETCH(QString, rgb);
    addLongList();
    Panel panel;
    QVERIFY(QTest::qWaitForWindowExposed(&panel.window));
    QWidget *acted = panel.list->cell(note, TableWidget::Column(column));
    QVERIFY(panel.inView(acted));
    if (menu) {
        const std::unique_ptr<QMenu> commands =
            qobject_cast<TableLabel *>(acted)->createContextMenu();
        commands->actions().at(2)->menu()->actions().at(2)->trigger();
        QTRY_COMPARE(stickyList.at(note)->colorRGB(), rgb);
    } else {
        QTest::mouseClick(acted, Qt::LeftButton);
    }
    for (const int i : {note - 1, note, note + 1}) {
        if (i >= kLongList)
            continue;
        const StickyWidget *neighbour = stickyList.at(i);
        QCOMPARE(neighbour->isVisible(), i == note && shown);
        QCOMPARE(neighbour->colorRGB(), i == note ? rgb : QStringLiteral("#FFFF00"));
        QCOMPARE(cell<TableCheckBox>(*panel.list, i, 0)->isChecked(), i == note && shown);
        const QPixmap swatch = cell<TableLabel>(*panel.list, i, 1)->pixmap();
        QCOMPARE(QColor(centreOf(swatch)), QColor(neighbour->colorRGB()));
    }
}

void TestNoteList::rowMadeLaterShowsChangedNote_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("text") << "text";
    QTest::newRow("colour") << "colour";
    QTest::newRow("reminder") << "reminder";
    QTest::newRow("shown") << "shown";
}

void TestNoteList::rowMadeLaterShowsChangedNote()
{
    QFETCH(QString, change);
    addLongList();
    Panel panel;
    QVERIFY(QTest::qWaitForWindowExposed(&panel.window));
    constexpr int kChanged = 360;
    StickyWidget *note = stickyList.at(kChanged);
    for (const TableLabel *label : panel.list->findChildren<TableLabel *>())
        QVERIFY(label->stickyWidget() != note);
    if (change == "text") {
        note->textBrowser()->setPlainText(QStringLiteral("changed far down"));
        note->lostFocus();
    } else if (change == "colour") {
        note->changeToColorOne();
    } else if (change == "reminder") {
        const QDateTime reminder(QDate(2026, 9, 1), QTime(8, 0));
        note->setReminder(reminder, reminder, QString());
    } else {
        note->show();
    }

    TableWidget &list = *panel.list;
    QCOMPARE(cell<TableCheckBox>(list, kChanged, 0)->isChecked(), change == "shown");
    const auto *colour = cell<TableLabel>(list, kChanged, 1);
    QCOMPARE(QColor(centreOf(colour->pixmap())),
             QColor(change == "colour" ? "#ADD8E6" : "#FFFF00"));
    QCOMPARE(colour->toolTip(), change == "colour" ? "Light Blue Sticky" : "Yellow Sticky");
    QCOMPARE(cell<TableLabel>(list, kChanged, 3)->pixmap().isNull(), change != "reminder");
    QCOMPARE(cell<TableLabel>(list, kChanged, 4)->text(),
             change == "text" ? "\"changed far down\"" : '"' + longListText(kChanged) + '"');
}

QTEST_MAIN(TestNoteList)
#include "tst_notelist.moc"
