// The program's dialogs open above the notes kept on top: every kind of
// dialog, whoever opens it, gets the stays-on-top hint while such a note is
// shown, and stays an ordinary window otherwise.

#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "reminders/reminderdialog.h"
#include "settings/preferences.h"
#include "testnotes.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/dialogstacking.h"
#include "widgets/optionswindow.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

using Opener = std::function<void(StickyWidget &)>;
Q_DECLARE_METATYPE(Opener)

namespace {

struct Seen
{
    bool found = false;
    bool widgetOnTop = false; // the dialog's own flags
    bool windowOnTop = false; // what the window system is told
    QString title;
};

// Looks for a shown dialog; when there is one, notes how it is stacked,
// closes it and returns true.
bool inspectShownDialog(Seen &seen)
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *dialog = qobject_cast<QDialog *>(window);
        if (!dialog || !dialog->isVisible())
            continue;
        seen.found = true;
        seen.title = dialog->windowTitle();
        seen.widgetOnTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        seen.windowOnTop = dialog->windowHandle() &&
                           dialog->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
        dialog->reject();
        return true;
    }
    return false;
}

} // namespace

class TestDialogStacking : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogsOpenAboveNotesOnTop_data();
    void dialogsOpenAboveNotesOnTop();
    void hintIsGivenUpWhenTheDialogCloses();
};

void TestDialogStacking::initTestCase()
{
    DialogStacking::install(*qApp);
    DialogStacking::install(*qApp); // a second call adds nothing
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::HideWarning), true);
}

void TestDialogStacking::dialogsOpenAboveNotesOnTop_data()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<bool>("noteOnTop");

    const QList<QPair<const char *, Opener>> openers = {
        {"hide warning", [](StickyWidget &note) { note.hideSticky(); }},
        {"locked note's delete warning",
         [](StickyWidget &note) {
             QMetaObject::invokeMethod(&note, "lockSticky", Q_ARG(bool, true));
             note.deleteSticky();
         }},
        {"set reminder", [](StickyWidget &note) { note.showReminderDialog(); }},
        {"colour selector", [](StickyWidget &note) { note.showColorChangeDialog(); }},
        {"rich text editor",
         [](StickyWidget &note) { QMetaObject::invokeMethod(&note, "showRichTextEditor"); }},
        {"print dialog", [](StickyWidget &note) { note.print(); }},
        // Its dialog has no parent: nothing else would keep it above the note.
        {"creation date",
         [](StickyWidget &note) { QMetaObject::invokeMethod(&note, "setCreationDate"); }},
        {"reminder due",
         [](StickyWidget &note) {
             ReminderDialog dialog(note.summaryText(), QDateTime::currentDateTime());
             dialog.exec();
         }},
        {"options", [](StickyWidget &) { OptionsWindow().exec(); }},
        {"file chooser",
         [](StickyWidget &note) {
             StandardDialogs::getOpenFileName(&note, QStringLiteral("Pick"), QString(), QString());
         }},
        {"colour chooser", [](StickyWidget &) { StandardDialogs::getColor(Qt::red, nullptr); }},
        {"text input",
         [](StickyWidget &) {
             StandardDialogs::getText(nullptr, QStringLiteral("Name"), QStringLiteral("Name:"),
                                      QString());
         }},
        // Does not wait for the user: found and closed while the program goes on.
        {"save failure notice",
         [](StickyWidget &) {
             UserPrompt::notify(nullptr, QStringLiteral("Save failed"), QStringLiteral("x"));
         }},
    };
    for (const auto &[name, open] : openers) {
        QTest::addRow("%s, note on top", name) << open << true;
        QTest::addRow("%s, ordinary note", name) << open << false;
    }
}

void TestDialogStacking::dialogsOpenAboveNotesOnTop()
{
    QFETCH(Opener, open);
    QFETCH(bool, noteOnTop);

    const std::unique_ptr<StickyWidget> noteWindow(newTestNote(
        3, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), QDateTime::currentDateTime(),
        QDateTime(), QDateTime(), QString(), false, QStringLiteral("<p>Call Ann</p>")));
    StickyWidget &note = *noteWindow;
    note.show();
    if (noteOnTop)
        QMetaObject::invokeMethod(&note, "enableStaysOnTop", Q_ARG(bool, true));
    QCOMPARE(note.isStaysOnTop(), noteOnTop);

    Seen seen;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&seen, &poll] {
        if (inspectShownDialog(seen))
            poll.stop();
    });
    poll.start(20);
    open(note);
    QTRY_VERIFY_WITH_TIMEOUT(seen.found, 5000);
    QCOMPARE(seen.widgetOnTop, noteOnTop);
    QCOMPARE(seen.windowOnTop, noteOnTop);
}

void TestDialogStacking::hintIsGivenUpWhenTheDialogCloses()
{
    const std::unique_ptr<StickyWidget> noteWindow(newTestNote(
        5, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), QDateTime::currentDateTime(),
        QDateTime(), QDateTime(), QString(), false, QString()));
    StickyWidget &note = *noteWindow;
    QMetaObject::invokeMethod(&note, "enableStaysOnTop", Q_ARG(bool, true));
    QDialog dialog;
    QDialog ownHint(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
    for (QDialog *shown : {&dialog, &ownHint}) {
        shown->show();
        QVERIFY(shown->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
    dialog.hide();
    ownHint.hide();
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!dialog.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(ownHint.windowFlags().testFlag(Qt::WindowStaysOnTopHint)); // its own, kept

    // Shown again once no note stays on top: an ordinary window.
    note.hide();
    dialog.show();
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    dialog.hide();
}

QTEST_MAIN(TestDialogStacking)
#include "tst_dialogstacking.moc"
