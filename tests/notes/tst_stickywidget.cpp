#include "dialogdriving.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "testnotes.h"
#include "widgets/rztogglemessagebox.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDateTimeEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<StickyWidget> makeNote(const QString &html = QStringLiteral("<p>Buy milk</p>"),
                                       bool locked = false)
{
    auto note = std::unique_ptr<StickyWidget>(
        newTestNote(7, QStringLiteral("#ADD8E6"), QStringLiteral("Light Blue"),
                    QDateTime(QDate(2026, 1, 2), QTime(3, 4)), QDateTime(), QDateTime(), QString(),
                    locked, html));
    note->move(100, 100);
    note->resize(240, 180);
    return note;
}

// Sends a mouse event with explicit note-local and screen positions, as the
// window system would while the pointer is grabbed by the note.
void sendMouse(QWidget *note, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(local), QPointF(note->mapToGlobal(local)),
                      QPointF(note->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(note, &event);
}

// Runs `act`, and gives the texts of the entries of the menu it opened
// (closing it), or nothing when no menu opened.
QStringList menuOpenedBy(const std::function<void()> &act)
{
    QStringList entries;
    bool looked = false;
    QTimer::singleShot(0, [&entries, &looked] {
        looked = true;
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions())
                entries.append(action->text());
            menu->close();
        }
    });
    act();
    if (!looked)
        QCoreApplication::processEvents();
    return entries;
}

} // namespace

class TestStickyWidget : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void construction();
    void pressStartsMoveOrResize_data();
    void pressStartsMoveOrResize();
    void dragMovesNote();
    void gripResizes();
    void resizeStopsAtMinimumWidth();
    void hoverWithoutButtonDoesNothing();
    void lockingMakesTextReadOnly();
    void taskBarEntryKeepsGeometryAndVisibility_data();
    void taskBarEntryKeepsGeometryAndVisibility();
    void staysOnTopShowsNote();
    void leavingTextRefreshesTitle();
    void hideWithoutWarning();
    void hideWarning_data();
    void hideWarning();
    void creationDateShortcut();
    void programCloseIsRefused();
    void messageFollowsEdits();
    void keysOpenTheNotesMenu_data();
    void keysOpenTheNotesMenu();
    void ctrlTabGoesToTheNextShownNote_data();
    void ctrlTabGoesToTheNextShownNote();
    void namedForAScreenReader();
};

void TestStickyWidget::init()
{
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DateFormat),
                             QStringLiteral("d MMM yyyy h:mm AP"));
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DefaultWidth), 260);
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DefaultHeight), 170);
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::HideWarning), false);
}

void TestStickyWidget::construction()
{
    const std::unique_ptr<StickyWidget> noteWindow(
        newTestNote(3, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"),
                    QDateTime(QDate(2026, 1, 2), QTime(15, 4)), QDateTime(), QDateTime(), QString(),
                    true, QStringLiteral("<p>Water the plants 42</p>")));
    const StickyWidget &note = *noteWindow;
    QVERIFY(note.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(note.size(), QSize(260, 170));
    // A note not yet shown holds only its values; its window's contents come
    // with the first show or the first question for its text area.
    QVERIFY(!note.hasContents());
    QCOMPARE(note.summaryText(), QStringLiteral("\"Water the plants\""));
    QVERIFY(!note.hasContents());
    note.textBrowser();
    QVERIFY(note.hasContents());
    QCOMPARE(note.windowTitle(), QStringLiteral("\"Water the plants\""));
    QCOMPARE(note.creationDateText(), QStringLiteral("2 Jan 2026 3:04 PM"));
    QCOMPARE(note.reminderStatusText(), QStringLiteral("No reminder set."));
    QVERIFY(note.textBrowser()->isReadOnly());
    QCOMPARE(note.mouseMode(), QStringLiteral("NONE"));
    QCOMPARE(note.palette().color(QPalette::Window), QColor(QStringLiteral("#FFFF00")));
    QCOMPARE(note.palette().color(QPalette::Dark), QColor(QStringLiteral("#FFFF00")).darker(200));
    QVERIFY(!note.isStaysOnTop());
    QVERIFY(!note.isToolWindow());
    QVERIFY(!note.isVisible());
    // A note that was never shown has no native window yet.
    QVERIFY(!note.testAttribute(Qt::WA_WState_Created));
}

void TestStickyWidget::pressStartsMoveOrResize_data()
{
    QTest::addColumn<QPoint>("fromBottomRight"); // distance from the right and bottom edges
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<Qt::CursorShape>("cursor");

    QTest::newRow("grip corner") << QPoint(16, 16) << Qt::LeftButton << QStringLiteral("RESIZE_BR")
                                 << Qt::SizeFDiagCursor;
    QTest::newRow("inside grip") << QPoint(3, 5) << Qt::LeftButton << QStringLiteral("RESIZE_BR")
                                 << Qt::SizeFDiagCursor;
    QTest::newRow("17 from the right")
        << QPoint(17, 1) << Qt::LeftButton << QStringLiteral("MOVE") << Qt::PointingHandCursor;
    QTest::newRow("17 from the bottom")
        << QPoint(1, 17) << Qt::LeftButton << QStringLiteral("MOVE") << Qt::PointingHandCursor;
    QTest::newRow("header") << QPoint(200, 170) << Qt::LeftButton << QStringLiteral("MOVE")
                            << Qt::PointingHandCursor;
    QTest::newRow("right button") << QPoint(200, 170) << Qt::RightButton << QStringLiteral("NONE")
                                  << Qt::ArrowCursor;
}

void TestStickyWidget::pressStartsMoveOrResize()
{
    QFETCH(QPoint, fromBottomRight);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, mode);
    QFETCH(Qt::CursorShape, cursor);

    auto note = makeNote();
    note->show();
    const QPoint local(note->width() - fromBottomRight.x(), note->height() - fromBottomRight.y());
    sendMouse(note.get(), QEvent::MouseButtonPress, local, button, button);
    QCOMPARE(note->mouseMode(), mode);
    QCOMPARE(note->cursor().shape(), cursor);
    sendMouse(note.get(), QEvent::MouseButtonRelease, local, button, Qt::NoButton);
    QCOMPARE(note->mouseMode(), QStringLiteral("NONE"));
    QCOMPARE(note->cursor().shape(), Qt::ArrowCursor);
}

void TestStickyWidget::dragMovesNote()
{
    auto note = makeNote();
    note->show();
    const QPoint grab(30, 5);
    sendMouse(note.get(), QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    // The pointer moves 40 right and 25 down on the screen.
    const QPoint target = note->mapToGlobal(grab) + QPoint(40, 25);
    QMouseEvent move(QEvent::MouseMove, QPointF(note->mapFromGlobal(target)), QPointF(target),
                     QPointF(target), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(note.get(), &move);
    QCOMPARE(note->pos(), QPoint(140, 125));
    QCOMPARE(note->size(), QSize(240, 180));
    sendMouse(note.get(), QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
}

void TestStickyWidget::gripResizes()
{
    auto note = makeNote();
    note->show();
    const QPoint corner(note->width() - 5, note->height() - 5);
    sendMouse(note.get(), QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    sendMouse(note.get(), QEvent::MouseMove, corner + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(note->size(), QSize(270, 200));
    sendMouse(note.get(), QEvent::MouseMove, corner + QPoint(10, 40), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(note->size(), QSize(250, 220));
    QCOMPARE(note->pos(), QPoint(100, 100));
}

void TestStickyWidget::resizeStopsAtMinimumWidth()
{
    auto note = makeNote();
    note->show();
    const int minimumWidth = note->minimumWidth();
    QVERIFY(minimumWidth > 0 && minimumWidth < 200);
    const QPoint corner(note->width() - 5, note->height() - 5);
    sendMouse(note.get(), QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    // Left past the minimum width while moving down: only the height follows.
    const QPoint farLeft(minimumWidth - 10, corner.y() + 10);
    sendMouse(note.get(), QEvent::MouseMove, farLeft, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(note->width(), 240);
    QCOMPARE(note->height(), 190);
    // The press position followed the pointer: moving right again grows the
    // width from there.
    sendMouse(note.get(), QEvent::MouseMove, farLeft + QPoint(30, 0), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(note->width(), 270);
    QCOMPARE(note->height(), 190);
}

void TestStickyWidget::hoverWithoutButtonDoesNothing()
{
    auto note = makeNote();
    note->show();
    sendMouse(note.get(), QEvent::MouseButtonPress, QPoint(30, 5), Qt::LeftButton, Qt::LeftButton);
    sendMouse(note.get(), QEvent::MouseButtonRelease, QPoint(30, 5), Qt::LeftButton, Qt::NoButton);
    sendMouse(note.get(), QEvent::MouseMove, QPoint(80, 60), Qt::NoButton, Qt::NoButton);
    QCOMPARE(note->pos(), QPoint(100, 100));
    QCOMPARE(note->size(), QSize(240, 180));
}

void TestStickyWidget::lockingMakesTextReadOnly()
{
    auto note = makeNote();
    note->lockSticky(true);
    QVERIFY(note->isLocked());
    QVERIFY(note->textBrowser()->isReadOnly());
    note->lockSticky(false);
    QVERIFY(!note->isLocked());
    QVERIFY(!note->textBrowser()->isReadOnly());
    // changeLanguage() re-applies the stored lock state.
    note->lockSticky(true);
    note->changeLanguage();
    QVERIFY(note->textBrowser()->isReadOnly());
}

void TestStickyWidget::taskBarEntryKeepsGeometryAndVisibility_data()
{
    QTest::addColumn<bool>("visible");
    QTest::newRow("visible note") << true;
    QTest::newRow("hidden note") << false;
}

void TestStickyWidget::taskBarEntryKeepsGeometryAndVisibility()
{
    QFETCH(bool, visible);
    auto note = makeNote();
    note->setVisible(visible);
    note->showInTaskBar(false);
    QVERIFY(note->isToolWindow());
    QVERIFY(note->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(note->isVisible(), visible);
    QCOMPARE(note->geometry(), QRect(100, 100, 240, 180));
    note->showInTaskBar(false); // already so: nothing changes
    QVERIFY(note->isToolWindow());
    note->showInTaskBar(true);
    QVERIFY(!note->isToolWindow());
    QVERIFY(note->isWindow());
    QCOMPARE(note->isVisible(), visible);
    QCOMPARE(note->geometry(), QRect(100, 100, 240, 180));
}

void TestStickyWidget::staysOnTopShowsNote()
{
    auto note = makeNote();
    QVERIFY(!note->isVisible());
    note->enableStaysOnTop(true);
    QVERIFY(note->isStaysOnTop());
    QVERIFY(note->isVisible());
    note->hide();
    note->enableStaysOnTop(false);
    QVERIFY(!note->isStaysOnTop());
    QVERIFY(note->isVisible());
}

void TestStickyWidget::leavingTextRefreshesTitle()
{
    auto note = makeNote();
    note->show();
    QSignalSpy changed(note.get(), &StickyWidget::updateTableWidgetItems);
    note->textBrowser()->setPlainText(QStringLiteral("Dentist on Friday"));
    QCOMPARE(note->windowTitle(), QStringLiteral("\"Buy milk\""));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(note->textBrowser(), &focusOut);
    QCOMPARE(note->windowTitle(), QStringLiteral("\"Dentist on Friday\""));
    QCOMPARE(changed.count(), 1);
}

void TestStickyWidget::hideWithoutWarning()
{
    auto note = makeNote();
    note->show();
    QSignalSpy changed(note.get(), &StickyWidget::updateTableWidgetItems);
    note->hideSticky();
    QVERIFY(!note->isVisible());
    QCOMPARE(changed.count(), 1);
}

void TestStickyWidget::hideWarning_data()
{
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("warnNextTime");

    QTest::newRow("yes") << false << QStringLiteral("&Yes") << true << true;
    QTest::newRow("tick and yes") << true << QStringLiteral("&Yes") << true << false;
    QTest::newRow("cancel") << false << QStringLiteral("&Cancel") << false << true;
    QTest::newRow("tick and cancel") << true << QStringLiteral("&Cancel") << false << true;
}

void TestStickyWidget::hideWarning()
{
    QFETCH(bool, tick);
    QFETCH(QString, button);
    QFETCH(bool, hidden);
    QFETCH(bool, warnNextTime);
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::HideWarning), true);
    auto note = makeNote();
    note->show();
    QString title;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<RZToggleMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        if (tick)
            box->findChild<QCheckBox *>()->click();
        DialogDriving::button(box, button)->click();
    });
    note->hideSticky();
    QCOMPARE(title, QStringLiteral("Warning: Hiding Sticky"));
    QCOMPARE(note->isHidden(), hidden);
    QCOMPARE(Preferences::userBool(Preferences::Names::HideWarning), warnNextTime);
}

void TestStickyWidget::creationDateShortcut()
{
    auto note = makeNote();
    note->show();
    QApplication::setActiveWindow(note.get());
    const QDateTime chosen(QDate(2020, 2, 29), QTime(23, 59));
    bool asked = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        asked = true;
        dialog->findChild<QDateTimeEdit *>()->setDateTime(chosen);
        DialogDriving::button(dialog, QStringLiteral("Okay"))->click();
    });
    QTest::keyClick(note.get(), Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    QVERIFY(asked);
    QCOMPARE(note->creationDate(), chosen);
    QCOMPARE(note->creationDateText(), QStringLiteral("29 Feb 2020 11:59 PM"));
}

void TestStickyWidget::programCloseIsRefused()
{
    auto note = makeNote();
    note->show();
    QVERIFY(!note->close());
    QVERIFY(note->isVisible());
}

void TestStickyWidget::messageFollowsEdits()
{
    auto note = makeNote();
    // Shown, laid out, recoloured and locked, the note still hands back the
    // very text it was given.
    note->show();
    note->lockSticky(true);
    QCOMPARE(note->message(), QStringLiteral("<p>Buy milk</p>"));
    note->lockSticky(false);
    note->textBrowser()->append(QStringLiteral("and eggs"));
    QVERIFY(note->message().contains(QStringLiteral("and eggs")));
}

void TestStickyWidget::keysOpenTheNotesMenu_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << true;
    QTest::newRow("F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers() << false;
}

void TestStickyWidget::keysOpenTheNotesMenu()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, opens);
    auto note = makeNote();
    note->show();
    QVERIFY(QTest::qWaitForWindowExposed(note.get()));
    QTextBrowser *text = note->textBrowser();
    const QString before = text->toPlainText();
    const QStringList entries =
        menuOpenedBy([text, key, modifiers] { QTest::keyClick(text, Qt::Key(key), modifiers); });
    // The note's own menu, not the text area's, and the key typed nothing.
    QCOMPARE(!entries.isEmpty(), opens);
    if (opens)
        QCOMPARE(entries.first(), QStringLiteral("&Hide"));
    QCOMPARE(text->toPlainText(), before);
}

void TestStickyWidget::ctrlTabGoesToTheNextShownNote_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("back");
    QTest::addColumn<int>("to");
    // Notes 0 and 2 are shown, note 1 is hidden.
    QTest::newRow("forward") << 0 << false << 2;
    QTest::newRow("forward from the last wraps") << 2 << false << 0;
    QTest::newRow("back") << 2 << true << 0;
    QTest::newRow("back from the first wraps") << 0 << true << 2;
}

void TestStickyWidget::ctrlTabGoesToTheNextShownNote()
{
    QFETCH(int, from);
    QFETCH(bool, back);
    QFETCH(int, to);
    std::vector<std::unique_ptr<StickyWidget>> notes;
    for (const char *text : {"<p>First</p>", "<p>Hidden</p>", "<p>Third</p>"}) {
        notes.push_back(makeNote(QString::fromLatin1(text)));
        stickyList.append(notes.back().get());
    }
    const auto forget = qScopeGuard([] { stickyList.clear(); });
    notes[0]->show();
    notes[2]->show();
    StickyWidget *start = notes[std::size_t(from)].get();
    start->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(start));
    start->textBrowser()->setFocus();
    QTest::keyClick(start->textBrowser(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                    back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    StickyWidget *target = notes[std::size_t(to)].get();
    QVERIFY(QTest::qWaitForWindowActive(target));
    QCOMPARE(QApplication::focusWidget(), target->textBrowser());
    QVERIFY(!start->textBrowser()->toPlainText().contains(QLatin1Char('\t')));
}

void TestStickyWidget::namedForAScreenReader()
{
    auto note = makeNote(QStringLiteral("<p>Buy milk</p>"));
    note->show();
    QCOMPARE(note->accessibleName(), QStringLiteral("Buy milk"));
    QCOMPARE(QAccessible::queryAccessibleInterface(note.get())->role(), QAccessible::Window);
    note->textBrowser()->setPlainText(QStringLiteral("Water plants"));
    note->lostFocus();
    QCOMPARE(note->accessibleName(), QStringLiteral("Water plants"));
    QCOMPARE(note->textBrowser()->accessibleName(), QStringLiteral("Note text"));
    // The text area's own menu opens with the mouse only: from the keyboard
    // the note's menu comes.
    const auto request = [&note](QContextMenuEvent::Reason reason) {
        return menuOpenedBy([&note, reason] {
            QContextMenuEvent event(reason, QPoint(5, 5),
                                    note->textBrowser()->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(note->textBrowser(), &event);
        });
    };
    QVERIFY(request(QContextMenuEvent::Keyboard).isEmpty());
    QVERIFY(!request(QContextMenuEvent::Mouse).isEmpty());
}

QTEST_MAIN(TestStickyWidget)
#include "tst_stickywidget.moc"
