#include "app/preferences.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "reminders/reminderdialog.h"
#include "reminders/setreminderdialog.h"

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
    auto note = std::make_unique<StickyWidget>(
        4, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), QDateTime::currentDateTime(),
        original, reminder, mask, false, QStringLiteral("<p>Pay the rent</p>"));
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
    void notDueDoesNothing_data();
    void notDueDoesNothing();
    void dueHiddenNoteComesForwardAndDismisses();
    void snoozeKeepsOriginalAndRoundsToMinute();
    void escapeDismisses();
    void periodicDismissMovesToNextMatch();
    void setOneTimeReminderDropsSecondsAndMask();
    void setPeriodicReminder();
    void cancelKeepsReminder();
};

void TestStickyReminders::init()
{
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::ReminderNoticePlaySound),
                             false);
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DateFormat),
                             QStringLiteral("d MMM yyyy h:mm AP"));
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
    bool seen = false;
    bool visibleWhileAsking = false;
    QString headline;
    StickyWidget *raw = note.get();
    answerNextDialog<ReminderDialog>(
        [&](ReminderDialog *dialog) {
            visibleWhileAsking = raw->isVisible();
            headline = dialog->findChild<QLabel *>(QStringLiteral("headlineLabel"))->text();
            QCOMPARE(dialog->pos(), QPoint(300 + 120 - 130, 200 + 80 - 80));
            // A second tick while the dialog is open must not open another.
            raw->reminderCheck();
            dialog->findChild<QPushButton *>(QStringLiteral("dismissButton"))->click();
        },
        &seen);
    QSignalSpy changed(note.get(), &StickyWidget::updateTableWidgetItems);
    note->reminderCheck();
    QVERIFY(seen);
    QVERIFY(visibleWhileAsking);
    QVERIFY2(headline.contains(QStringLiteral("3 hours, 0 minutes overdue")), qPrintable(headline));
    QVERIFY(note->reminderDate().isNull());
    QVERIFY(note->originalReminderDate().isNull());
    QCOMPARE(note->reminderStatusText(), QStringLiteral("No reminder set."));
    QVERIFY(changed.count() >= 1); // focus moving to the dialog and back may add one
}

void TestStickyReminders::snoozeKeepsOriginalAndRoundsToMinute()
{
    const QDateTime due = nowToTheMinute().addSecs(-60);
    auto note = makeNote(due, due);
    bool seen = false;
    int minutes = 0;
    answerNextDialog<ReminderDialog>(
        [&](ReminderDialog *dialog) {
            auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("snoozeCombo"));
            combo->setCurrentIndex(2);
            minutes = dialog->snoozeMinutes();
            dialog->findChild<QPushButton *>(QStringLiteral("snoozeButton"))->click();
        },
        &seen);
    const QDateTime before = QDateTime::currentDateTime();
    note->reminderCheck();
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(seen);
    QVERIFY(minutes > 0);
    QCOMPARE(note->originalReminderDate(), due);
    QCOMPARE(note->reminderDate().time().second(), 0);
    QVERIFY(note->reminderDate() > before.addSecs(minutes * 60 - 60));
    QVERIFY(note->reminderDate() <= after.addSecs(minutes * 60));
    QVERIFY(note->reminderStatusText().contains(QStringLiteral("Snoozing until")));
}

void TestStickyReminders::escapeDismisses()
{
    const QDateTime due = nowToTheMinute();
    auto note = makeNote(due, due);
    bool seen = false;
    answerNextDialog<ReminderDialog>(
        [](ReminderDialog *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }, &seen);
    note->reminderCheck();
    QVERIFY(seen);
    QVERIFY(note->reminderDate().isNull());
}

void TestStickyReminders::periodicDismissMovesToNextMatch()
{
    const QDateTime due = nowToTheMinute().addSecs(-120);
    auto note = makeNote(due, due, QStringLiteral("|0|*|*|*|*")); // every full hour
    bool seen = false;
    answerNextDialog<ReminderDialog>(
        [](ReminderDialog *dialog) {
            dialog->findChild<QPushButton *>(QStringLiteral("dismissButton"))->click();
        },
        &seen);
    note->reminderCheck();
    QVERIFY(seen);
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
