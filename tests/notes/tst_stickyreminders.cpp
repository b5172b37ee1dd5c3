#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "reminders/periodicschedule.h"
#include "reminders/reminderdialog.h"
#include "reminders/reminderqueue.h"
#include "reminders/setreminderdialog.h"
#include "settings/preferences.h"
#include "testnotes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<StickyWidget> makeNote(const QDateTime &original, const QDateTime &reminder,
                                       const QString &mask = QString())
{
    auto note = std::unique_ptr<StickyWidget>(newTestNote(
        4, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), QDateTime::currentDateTime(),
        original, reminder, mask, false, QStringLiteral("<p>Pay the rent</p>")));
    note->setGeometry(300, 200, 240, 160);
    return note;
}

// Runs `answer` on the next modal dialog of type T as soon as it is shown.
template <typename T> void answerNextDialog(std::function<void(T *)> answer, bool *seen)
{
    QTimer::singleShot(0, [answer, seen] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog) {
            answerNextDialog<T>(answer, seen); // not up yet
            return;
        }
        *seen = true;
        answer(dialog);
    });
}

// The reminder dialog most recently put on screen.
ReminderDialog *shownReminderDialog()
{
    const QList<ReminderDialog *> dialogs = ReminderQueue::instance().openDialogs();
    return dialogs.isEmpty() || !dialogs.constLast()->isVisible() ? nullptr : dialogs.constLast();
}

QDateTime nowToTheMinute()
{
    QDateTime now = QDateTime::currentDateTime();
    return now.addSecs(-now.time().second()).addMSecs(-now.time().msec());
}

} // namespace

class TestStickyReminders : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void notDueDoesNothing_data();
    void notDueDoesNothing();
    void dueHiddenNoteComesForwardAndDismisses();
    void snoozeKeepsOriginalAndRoundsToMinute();
    void userAnswersThatDismiss_data();
    void userAnswersThatDismiss();
    void periodicDismissMovesToNextMatch();
    void setOneTimeReminderDropsSecondsAndMask();
    void setPeriodicReminder();
    void reopenedPeriodicReminderKeepsItsPattern_data();
    void reopenedPeriodicReminderKeepsItsPattern();
    void cancelKeepsReminder();
};

void TestStickyReminders::init()
{
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::ReminderNoticePlaySound),
                             false);
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DateFormat),
                             QStringLiteral("d MMM yyyy h:mm AP"));
}

void TestStickyReminders::cleanup()
{
    ReminderQueue::instance().abandonAll(); // a failed case leaves no dialog behind
}

void TestStickyReminders::notDueDoesNothing_data()
{
    QTest::addColumn<QDateTime>("reminder");
    QTest::newRow("no reminder") << QDateTime();
    QTest::newRow("in an hour") << QDateTime::currentDateTime().addSecs(3600);
}

void TestStickyReminders::notDueDoesNothing()
{
    QFETCH(QDateTime, reminder);
    auto note = makeNote(reminder, reminder);
    QSignalSpy changed(note.get(), &StickyWidget::updateTableWidgetItems);
    note->reminderCheck(); // a dialog here would block the test
    QVERIFY(!note->isVisible());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(note->reminderDate(), reminder);
}

void TestStickyReminders::dueHiddenNoteComesForwardAndDismisses()
{
    const QDateTime due = nowToTheMinute().addSecs(-3 * 3600);
    auto note = makeNote(due, due);
    QSignalSpy changed(note.get(), &StickyWidget::updateTableWidgetItems);
    note->reminderCheck();
    ReminderDialog *dialog = shownReminderDialog();
    QVERIFY(dialog);
    QVERIFY(note->isVisible());
    const QString headline = dialog->findChild<QLabel *>(QStringLiteral("headlineLabel"))->text();
    QVERIFY2(headline.contains(QStringLiteral("3 hours, 0 minutes overdue")), qPrintable(headline));
    QCOMPARE(dialog->pos(), QPoint(300 + 120 - 130, 200 + 80 - 80));
    // A second tick while the dialog is open must not open another.
    note->reminderCheck();
    QCOMPARE(ReminderQueue::instance().openCount(), 1);
    QCOMPARE(ReminderQueue::instance().waitingCount(), 0);
    QCOMPARE(note->reminderDate(), due); // nothing changes before the answer

    dialog->findChild<QPushButton *>(QStringLiteral("dismissButton"))->click();
    QCOMPARE(ReminderQueue::instance().openCount(), 0);
    QVERIFY(note->reminderDate().isNull());
    QVERIFY(note->originalReminderDate().isNull());
    QCOMPARE(note->reminderStatusText(), QStringLiteral("No reminder set."));
    QVERIFY(changed.count() >= 1); // focus moving to the dialog and back may add one
}

void TestStickyReminders::snoozeKeepsOriginalAndRoundsToMinute()
{
    const QDateTime due = nowToTheMinute().addSecs(-60);
    auto note = makeNote(due, due);
    const QDateTime before = QDateTime::currentDateTime();
    note->reminderCheck();
    ReminderDialog *dialog = shownReminderDialog();
    QVERIFY(dialog);
    auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("snoozeCombo"));
    combo->setCurrentIndex(2);
    const int minutes = dialog->snoozeMinutes();
    dialog->findChild<QPushButton *>(QStringLiteral("snoozeButton"))->click();
    const QDateTime after = QDateTime::currentDateTime();
    QCOMPARE(minutes, 15);
    QCOMPARE(note->originalReminderDate(), due);
    QCOMPARE(note->reminderDate().time().second(), 0);
    QVERIFY(note->reminderDate() > before.addSecs(minutes * 60 - 60));
    QVERIFY(note->reminderDate() <= after.addSecs(minutes * 60));
    QVERIFY(note->reminderStatusText().contains(QStringLiteral("Snoozing until")));
}

void TestStickyReminders::userAnswersThatDismiss_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("escape") << "escape";
    QTest::newRow("window close button") << "close";
}

void TestStickyReminders::userAnswersThatDismiss()
{
    QFETCH(QString, answer);
    const QDateTime due = nowToTheMinute();
    auto note = makeNote(due, due);
    note->reminderCheck();
    ReminderDialog *dialog = shownReminderDialog();
    QVERIFY(dialog);
    if (answer == QLatin1String("escape"))
        QTest::keyClick(dialog, Qt::Key_Escape);
    else
        dialog->close();
    QVERIFY(note->reminderDate().isNull());
    QCOMPARE(ReminderQueue::instance().openCount(), 0);
}

void TestStickyReminders::periodicDismissMovesToNextMatch()
{
    const QDateTime due = nowToTheMinute().addSecs(-120);
    auto note = makeNote(due, due, QStringLiteral("|0|*|*|*|*")); // every full hour
    note->reminderCheck();
    ReminderDialog *dialog = shownReminderDialog();
    QVERIFY(dialog);
    dialog->findChild<QPushButton *>(QStringLiteral("dismissButton"))->click();
    const QDateTime next = note->reminderDate();
    QVERIFY(next > QDateTime::currentDateTime());
    QVERIFY(next <= QDateTime::currentDateTime().addSecs(3600));
    QCOMPARE(next.time().minute(), 0);
    QCOMPARE(next.time().second(), 0);
    QCOMPARE(note->originalReminderDate(), next);
    QCOMPARE(note->periodicMask(), QStringLiteral("|0|*|*|*|*"));
    QVERIFY(note->reminderStatusText().startsWith(
        QStringLiteral("Periodic reminder next scheduled for")));
}

void TestStickyReminders::setOneTimeReminderDropsSecondsAndMask()
{
    auto note = makeNote(QDateTime(), QDateTime(), QStringLiteral("|0|9|*|*|*"));
    const QDateTime chosen = QDateTime::currentDateTime().addDays(2);
    bool seen = false;
    answerNextDialog<SetReminderDialog>(
        [&](SetReminderDialog *dialog) {
            dialog->findChild<QGroupBox *>(QStringLiteral("onceGroup"))->setChecked(true);
            dialog->findChild<QDateTimeEdit *>(QStringLiteral("dateTimeEdit"))->setDateTime(chosen);
            dialog->findChild<QPushButton *>(QStringLiteral("saveButton"))->click();
        },
        &seen);
    QSignalSpy changed(note.get(), &StickyWidget::updateTableWidgetItems);
    note->showReminderDialog();
    QVERIFY(seen);
    QCOMPARE(note->reminderDate().time().second(), 0);
    QCOMPARE(note->reminderDate().toSecsSinceEpoch() / 60, chosen.toSecsSinceEpoch() / 60);
    QCOMPARE(note->originalReminderDate(), note->reminderDate());
    QVERIFY(note->periodicMask().isEmpty());
    QVERIFY(note->reminderStatusText().startsWith(QStringLiteral("Reminder scheduled for")));
    QCOMPARE(changed.count(), 1);
}

void TestStickyReminders::setPeriodicReminder()
{
    auto note = makeNote(QDateTime(), QDateTime());
    bool seen = false;
    answerNextDialog<SetReminderDialog>(
        [](SetReminderDialog *dialog) {
            dialog->findChild<QGroupBox *>(QStringLiteral("periodicGroup"))->setChecked(true);
            dialog->findChild<QLineEdit *>(QStringLiteral("minutesEdit"))
                ->setText(QStringLiteral("30"));
            dialog->findChild<QLineEdit *>(QStringLiteral("hoursEdit"))
                ->setText(QStringLiteral("7"));
            dialog->findChild<QPushButton *>(QStringLiteral("saveButton"))->click();
        },
        &seen);
    note->showReminderDialog();
    QVERIFY(seen);
    QVERIFY(note->periodicMask().startsWith(QLatin1Char('|')));
    QCOMPARE(note->reminderDate().time(), QTime(7, 30));
    QVERIFY(note->reminderDate() > QDateTime::currentDateTime());
    QVERIFY(note->reminderDate() <= QDateTime::currentDateTime().addDays(1));
    QCOMPARE(note->originalReminderDate(), note->reminderDate());

    // Opening the dialog again brings the fields back from the stored pattern.
    QString minutes;
    answerNextDialog<SetReminderDialog>(
        [&](SetReminderDialog *dialog) {
            minutes = dialog->findChild<QLineEdit *>(QStringLiteral("minutesEdit"))->text();
            dialog->reject();
        },
        &seen);
    note->showReminderDialog();
    QCOMPARE(minutes, QStringLiteral("30"));
}

void TestStickyReminders::reopenedPeriodicReminderKeepsItsPattern_data()
{
    QTest::addColumn<QString>("mask");
    QTest::newRow("every weekday at 9:00") << "|0|9|*|*|1-5";
    QTest::newRow("every minute") << "|*|*|*|*|*";
    QTest::newRow("steps") << "|*/15|8-18/2|*|*|*";
    QTest::newRow("lists") << "|0,30|12|1,15|*|*";
    QTest::newRow("Friday the 13th") << "|0|0|13|*|5";
    QTest::newRow("leap day, months and weekdays") << "|5|23|29|2|1-3,6";
    QTest::newRow("ranges everywhere") << "|10-20|1-3|2-9|4-10|2-6";
}

// Opening the reminder of a periodic note and saving it without a change must
// keep the note's schedule.
void TestStickyReminders::reopenedPeriodicReminderKeepsItsPattern()
{
    QFETCH(QString, mask);
    const auto schedule = PeriodicSchedule::fromMask(mask);
    QVERIFY(schedule);
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime next = *schedule->nextMatch(before);
    auto note = makeNote(next, next, mask);

    bool seen = false;
    answerNextDialog<SetReminderDialog>(
        [](SetReminderDialog *dialog) {
            dialog->findChild<QPushButton *>(QStringLiteral("saveButton"))->click();
        },
        &seen);
    note->showReminderDialog();
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(seen);
    QCOMPARE(note->periodicMask(), mask);
    // The next match again, as of the moment of saving.
    QVERIFY2(note->reminderDate() == next || note->reminderDate() == *schedule->nextMatch(after),
             qPrintable(note->reminderDate().toString(Qt::ISODate)));
    QCOMPARE(note->originalReminderDate(), note->reminderDate());
    QVERIFY(note->reminderStatusText().startsWith(
        QStringLiteral("Periodic reminder next scheduled for")));
}

void TestStickyReminders::cancelKeepsReminder()
{
    const QDateTime due = nowToTheMinute().addDays(1);
    auto note = makeNote(due, due);
    bool seen = false;
    answerNextDialog<SetReminderDialog>(
        [](SetReminderDialog *dialog) {
            dialog->findChild<QCheckBox *>(QStringLiteral("noReminderBox"))->setChecked(true);
            dialog->findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
        },
        &seen);
    note->showReminderDialog();
    QVERIFY(seen);
    QCOMPARE(note->reminderDate(), due);
}

QTEST_MAIN(TestStickyReminders)
#include "tst_stickyreminders.moc"
