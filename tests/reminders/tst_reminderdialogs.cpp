#include "reminders/periodicschedule.h"
#include "reminders/reminderdialog.h"
#include "reminders/remindertiming.h"
#include "reminders/setreminderdialog.h"
#include "ui/userprompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const char *const kFieldEditNames[] = {"minutesEdit", "hoursEdit", "daysEdit", "monthsEdit",
                                       "weekdaysEdit"};
const QString kDefaultDateFormat = QStringLiteral("d MMM yyyy h:mm AP");

template <typename T> T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    Q_ASSERT(found);
    return found;
}

struct Choices
{
    QCheckBox *none;
    QGroupBox *once;
    QGroupBox *periodic;

    explicit Choices(const SetReminderDialog &dialog)
        : none(child<QCheckBox>(dialog, "noReminderBox")),
          once(child<QGroupBox>(dialog, "onceGroup")),
          periodic(child<QGroupBox>(dialog, "periodicGroup"))
    {
    }
    QString state() const
    {
        return QStringLiteral("%1%2%3")
            .arg(none->isChecked() ? 'N' : '-')
            .arg(once->isChecked() ? 'O' : '-')
            .arg(periodic->isChecked() ? 'P' : '-');
    }
};

void setFields(const SetReminderDialog &dialog, const QStringList &texts)
{
    for (int index = 0; index < texts.size(); ++index)
        child<QLineEdit>(dialog, kFieldEditNames[index])->setText(texts.at(index));
}

QStringList fieldTexts(const SetReminderDialog &dialog)
{
    QStringList texts;
    for (const char *name : kFieldEditNames)
        texts << child<QLineEdit>(dialog, name)->text();
    return texts;
}

void clickSave(const SetReminderDialog &dialog)
{
    QTest::mouseClick(child<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
}

// A whole future minute with a seconds value, far enough ahead to stay future.
QDateTime futureWithSeconds(int seconds)
{
    const QDateTime soon = QDateTime::currentDateTime().addDays(2);
    return QDateTime(soon.date(), QTime(10, 15, seconds));
}

} // namespace

class TestReminderDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void setDialogStartsWithNoReminder();
    void choicesStayMutuallyExclusive_data();
    void choicesStayMutuallyExclusive();
    void noReminderCannotBeClearedByClicking();
    void loadsTheNotesReminder();
    void refillsPeriodicFieldsFromTheMask();
    void pastOneTimeDateIsRefused();
    void oneTimeDropsSeconds();
    void noReminderSavesNullDate();
    void nextMatchLabelFollowsEdits();
    void savesPeriodicReminder();
    void refusesInvalidPeriodicReminder_data();
    void refusesInvalidPeriodicReminder();
    void cancelRejects();
    void fieldsSelectTheirWholeTextOnFocus_data();
    void fieldsSelectTheirWholeTextOnFocus();
    void clickInAFocusedFieldPlacesTheCursor();
    void validationMessageIsShownWhole_data();
    void validationMessageIsShownWhole();

    void reminderDialogLayout();
    void reminderDialogHeadline_data();
    void reminderDialogHeadline();
    void snoozeEntries();
    void reminderDialogOutcome_data();
    void reminderDialogOutcome();
};

void TestReminderDialogs::cleanup()
{
    UserPrompt::takeHistory();
}

void TestReminderDialogs::setDialogStartsWithNoReminder()
{
    const QDateTime before = QDateTime::currentDateTime();
    SetReminderDialog dialog;
    const Choices choices(dialog);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Notarella - Set Reminder"));
    QCOMPARE(choices.state(), QStringLiteral("N--"));
    QCOMPARE(choices.once->title(), QStringLiteral("One-Time Reminder"));
    QVERIFY(choices.once->isCheckable() && choices.once->isFlat());
    QVERIFY(choices.periodic->isCheckable() && choices.periodic->isFlat());

    const auto *edit = child<QDateTimeEdit>(dialog, "dateTimeEdit");
    QCOMPARE(edit->displayFormat(), kDefaultDateFormat);
    QVERIFY(edit->wrapping());
    const qint64 ahead = before.secsTo(edit->dateTime());
    QVERIFY2(ahead >= 59 && ahead <= 62, qPrintable(QString::number(ahead)));

    QCOMPARE(fieldTexts(dialog), (QStringList{"Every Minute", "Every Hour", "Every Day",
                                              "Every Month", "Every Weekday"}));
    const QString label = child<QLabel>(dialog, "nextMatchLabel")->text();
    QVERIFY2(label.startsWith(QLatin1String("<b>")) && label.endsWith(QLatin1String("</b>")),
             qPrintable(label));
    QVERIFY(child<QPushButton>(dialog, "saveButton")->isDefault());

    QVERIFY(dialog.reminderDate().isNull());
    QVERIFY(dialog.periodicMask().isEmpty());
}

void TestReminderDialogs::choicesStayMutuallyExclusive_data()
{
    QTest::addColumn<QString>("steps"); // +X checks, -X unchecks; N, O, P
    QTest::addColumn<QString>("state");

    QTest::newRow("check one-time") << "+O"
                                    << "-O-";
    QTest::newRow("check periodic") << "+P"
                                    << "--P";
    QTest::newRow("one-time then periodic") << "+O +P"
                                            << "--P";
    QTest::newRow("periodic then one-time") << "+P +O"
                                            << "-O-";
    QTest::newRow("uncheck one-time") << "+O -O"
                                      << "N--";
    QTest::newRow("uncheck periodic") << "+P -P"
                                      << "N--";
    QTest::newRow("no reminder clears both") << "+O +N"
                                             << "N--";
    QTest::newRow("no reminder clears periodic") << "+P +N"
                                                 << "N--";
    QTest::newRow("no reminder cannot be unchecked") << "-N"
                                                     << "N--";
    QTest::newRow("unchecking no reminder while one-time") << "+O -N"
                                                           << "-O-";
}

void TestReminderDialogs::choicesStayMutuallyExclusive()
{
    QFETCH(QString, steps);
    QFETCH(QString, state);

    SetReminderDialog dialog;
    const Choices choices(dialog);
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        const bool check = step.at(0) == QLatin1Char('+');
        switch (step.at(1).toLatin1()) {
        case 'N':
            choices.none->setChecked(check);
            break;
        case 'O':
            choices.once->setChecked(check);
            break;
        case 'P':
            choices.periodic->setChecked(check);
            break;
        }
        const int selected = int(choices.none->isChecked()) + int(choices.once->isChecked()) +
                             int(choices.periodic->isChecked());
        QCOMPARE(selected, 1);
    }
    QCOMPARE(choices.state(), state);
}

void TestReminderDialogs::noReminderCannotBeClearedByClicking()
{
    SetReminderDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const Choices choices(dialog);
    QTest::mouseClick(choices.none, Qt::LeftButton);
    QCOMPARE(choices.state(), QStringLiteral("N--"));
}

void TestReminderDialogs::loadsTheNotesReminder()
{
    SetReminderDialog dialog;
    const Choices choices(dialog);
    const QDateTime date = futureWithSeconds(0);

    dialog.setReminderDate(date, QString());
    QCOMPARE(choices.state(), QStringLiteral("-O-"));
    QCOMPARE(child<QDateTimeEdit>(dialog, "dateTimeEdit")->dateTime(), date);

    dialog.setReminderDate(QDateTime(), QString());
    QCOMPARE(choices.state(), QStringLiteral("N--"));

    // A periodic note opens on its pattern; the one-time choice offers its next date.
    dialog.setReminderDate(date.addDays(1), QStringLiteral("|0|9|*|*|1-5"));
    QCOMPARE(choices.state(), QStringLiteral("--P"));
    QCOMPARE(child<QDateTimeEdit>(dialog, "dateTimeEdit")->dateTime(), date.addDays(1));

    // An unreadable pattern cannot be offered: the date stays a one-time reminder.
    dialog.setReminderDate(date, QStringLiteral("|broken"));
    QCOMPARE(choices.state(), QStringLiteral("-O-"));

    // A pattern without a date is no reminder.
    dialog.setReminderDate(QDateTime(), QStringLiteral("|0|9|*|*|1-5"));
    QCOMPARE(choices.state(), QStringLiteral("N--"));
}

void TestReminderDialogs::refillsPeriodicFieldsFromTheMask()
{
    SetReminderDialog dialog;
    dialog.setReminderDate(futureWithSeconds(0), QStringLiteral("|0|9|*|*|1-5"));
    QCOMPARE(fieldTexts(dialog), (QStringList{"0", "9", "Every Day", "Every Month", "1-5"}));

    // An empty or unreadable mask leaves the fields as they are.
    dialog.setReminderDate(QDateTime(), QString());
    QCOMPARE(fieldTexts(dialog)[0], QStringLiteral("0"));
    dialog.setReminderDate(QDateTime(), QStringLiteral("|broken"));
    QCOMPARE(fieldTexts(dialog)[4], QStringLiteral("1-5"));

    dialog.setReminderDate(QDateTime(), QStringLiteral("|*/15|8-18/2|13|*|5"));
    QCOMPARE(fieldTexts(dialog), (QStringList{"*/15", "8-18/2", "13", "Every Month", "5"}));
}

void TestReminderDialogs::pastOneTimeDateIsRefused()
{
    SetReminderDialog dialog;
    dialog.setReminderDate(QDateTime::currentDateTime().addSecs(-3600), QString());
    QSignalSpy accepted(&dialog, &QDialog::accepted);

    UserPrompt::queueAnswer(QMessageBox::Ok);
    clickSave(dialog);
    QCOMPARE(accepted.count(), 0);
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Reminder Error"));
    QCOMPARE(shown[0].text, QStringLiteral("<p>Please set your reminder to occur <i>after</i> "
                                           "the current date and time.<p>"));

    // Moved into the future, the same dialog saves.
    child<QDateTimeEdit>(dialog, "dateTimeEdit")
        ->setDateTime(QDateTime::currentDateTime().addSecs(600));
    clickSave(dialog);
    QCOMPARE(accepted.count(), 1);
    QVERIFY(UserPrompt::takeHistory().isEmpty());
}

void TestReminderDialogs::oneTimeDropsSeconds()
{
    SetReminderDialog dialog;
    dialog.setReminderDate(futureWithSeconds(42), QStringLiteral("|0|9|*|*|*"));
    Choices(dialog).once->setChecked(true);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    clickSave(dialog);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(dialog.reminderDate(), futureWithSeconds(0));
    // A one-time reminder carries no pattern, whatever the fields hold.
    QVERIFY(dialog.periodicMask().isEmpty());
}

void TestReminderDialogs::noReminderSavesNullDate()
{
    SetReminderDialog dialog;
    dialog.setReminderDate(futureWithSeconds(0), QStringLiteral("|0|9|*|*|*"));
    Choices(dialog).none->setChecked(true);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    clickSave(dialog);
    QCOMPARE(accepted.count(), 1);
    QVERIFY(dialog.reminderDate().isNull());
    QVERIFY(dialog.periodicMask().isEmpty());
}

void TestReminderDialogs::nextMatchLabelFollowsEdits()
{
    SetReminderDialog dialog;
    const QLabel *label = child<QLabel>(dialog, "nextMatchLabel");

    setFields(dialog, {"0", "9", "Every Day", "Every Month", "1-5"});
    const auto schedule = PeriodicSchedule::fromFieldTexts(fieldTexts(dialog));
    QVERIFY(schedule);
    const auto expected = schedule->nextMatch(QDateTime::currentDateTime());
    QVERIFY(expected);
    QCOMPARE(label->text(),
             QStringLiteral("<b>%1</b>").arg(expected->toString(kDefaultDateFormat)));

    child<QLineEdit>(dialog, "minutesEdit")->setText(QStringLiteral("75"));
    QVERIFY2(label->text().contains(QLatin1String("Minutes")) &&
                 label->text().contains(QLatin1String("75")),
             qPrintable(label->text()));
    QVERIFY(!label->text().startsWith(QLatin1String("<b>")));

    child<QLineEdit>(dialog, "minutesEdit")->setText(QStringLiteral("0"));
    QVERIFY(label->text().startsWith(QLatin1String("<b>")));

    setFields(dialog, {"0", "0", "31", "2", ""});
    QVERIFY2(label->text().contains(QLatin1String("never")), qPrintable(label->text()));

    // User text is shown as text, never as markup.
    child<QLineEdit>(dialog, "hoursEdit")->setText(QStringLiteral("<i>9</i>"));
    QVERIFY2(label->text().contains(QLatin1String("&lt;i&gt;")), qPrintable(label->text()));
}

void TestReminderDialogs::savesPeriodicReminder()
{
    SetReminderDialog dialog;
    Choices(dialog).periodic->setChecked(true);
    setFields(dialog, {"0", "9", "Every Day", "Every Month", "1-5"});
    QSignalSpy accepted(&dialog, &QDialog::accepted);

    const QDateTime before = QDateTime::currentDateTime();
    clickSave(dialog);
    QCOMPARE(accepted.count(), 1);
    QVERIFY(UserPrompt::takeHistory().isEmpty());
    QCOMPARE(dialog.periodicMask(), QStringLiteral("|0|9|*|*|1-5"));

    const QDateTime chosen = dialog.reminderDate();
    QVERIFY(chosen > before);
    QCOMPARE(chosen.time(), QTime(9, 0));
    QVERIFY(chosen.date().dayOfWeek() <= 5);
    QCOMPARE(chosen, *PeriodicSchedule::fromMask(dialog.periodicMask())->nextMatch(before));
}

void TestReminderDialogs::refusesInvalidPeriodicReminder_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("messagePart");
    QTest::newRow("bad field") << QStringList{"0", "25", "", "", ""} << "Hours";
    QTest::newRow("never occurs") << QStringList{"0", "0", "30", "2", ""} << "never";
}

void TestReminderDialogs::refusesInvalidPeriodicReminder()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, messagePart);

    SetReminderDialog dialog;
    Choices(dialog).periodic->setChecked(true);
    setFields(dialog, texts);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    UserPrompt::queueAnswer(QMessageBox::Ok);
    clickSave(dialog);
    QCOMPARE(accepted.count(), 0);
    const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Reminder Error"));
    QVERIFY2(shown[0].text.contains(messagePart), qPrintable(shown[0].text));
}

void TestReminderDialogs::cancelRejects()
{
    SetReminderDialog dialog;
    Choices(dialog).once->setChecked(true);
    QTimer::singleShot(0, &dialog, [] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cancelButton")),
                          Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
}

void TestReminderDialogs::fieldsSelectTheirWholeTextOnFocus_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("tab, initial text") << "tab"
                                       << "hoursEdit"
                                       << "Every Hour";
    QTest::newRow("click, initial text") << "click"
                                         << "minutesEdit"
                                         << "Every Minute";
}

// The initial texts are real text: typing into a field that took the focus
// must replace it, not insert into it ("Every Min0ute").
void TestReminderDialogs::fieldsSelectTheirWholeTextOnFocus()
{
    QFETCH(QString, how);
    QFETCH(QString, field);
    QFETCH(QString, text);

    SetReminderDialog dialog;
    Choices(dialog).periodic->setChecked(true);
    setFields(dialog, {"Every Minute", "Every Hour", "Every Day", "Every Month", "1-5"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *edit = child<QLineEdit>(dialog, field.toLatin1().constData());
    edit->setCursorPosition(3); // where an earlier visit left it

    if (how == QLatin1String("tab")) {
        child<QLineEdit>(dialog, "minutesEdit")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } else {
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
    }
    QCOMPARE(QApplication::focusWidget(), edit);
    QCoreApplication::processEvents(); // as between a click and the next key
    QCOMPARE(edit->selectedText(), text);
    QTest::keyClick(edit, Qt::Key_0);
    QCOMPARE(edit->text(), QStringLiteral("0"));
}

// Only the click that brings the focus selects: a later click places the
// cursor for editing.
void TestReminderDialogs::clickInAFocusedFieldPlacesTheCursor()
{
    SetReminderDialog dialog;
    Choices(dialog).periodic->setChecked(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *edit = child<QLineEdit>(dialog, "minutesEdit");
    edit->setText(QStringLiteral("15"));
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
    QCoreApplication::processEvents();
    QCOMPARE(edit->selectedText(), QStringLiteral("15"));

    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    QCoreApplication::processEvents();
    QVERIFY(!edit->hasSelectedText());
    QTest::keyClick(edit, Qt::Key_0);
    QCOMPARE(edit->text(), QStringLiteral("150"));

    // A focusing click that drags over part of the text keeps that selection.
    child<QLineEdit>(dialog, "hoursEdit")->setFocus();
    const int y = edit->height() / 2;
    int afterFirst = 0; // an x at which a press puts the cursor after the "1"
    while (edit->cursorPositionAt(QPoint(afterFirst, y)) < 1)
        ++afterFirst;
    QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(afterFirst, y));
    QTest::mouseMove(edit, QPoint(edit->width() - 4, y));
    QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, y));
    QCoreApplication::processEvents();
    QCOMPARE(edit->selectedText(), QStringLiteral("50"));
}

void TestReminderDialogs::validationMessageIsShownWhole_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("messagePart");
    QTest::newRow("malformed list")
        << QStringList{"0", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,x", "", "", ""}
        << "Hours";
    QTest::newRow("never occurs") << QStringList{"0", "0", "30,31", "2", ""} << "never";
}

// The message under the fields that says what is wrong wraps and the dialog
// makes room for all of its lines.
void TestReminderDialogs::validationMessageIsShownWhole()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, messagePart);

    SetReminderDialog dialog;
    Choices(dialog).periodic->setChecked(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    setFields(dialog, texts);
    auto *label = child<QLabel>(dialog, "nextMatchLabel");
    QVERIFY2(label->text().contains(messagePart), qPrintable(label->text()));
    QCoreApplication::processEvents(); // the layout settles
    QVERIFY(label->wordWrap());
    QVERIFY2(label->height() >= label->heightForWidth(label->width()),
             qPrintable(QStringLiteral("%1 < %2 at width %3")
                            .arg(label->height())
                            .arg(label->heightForWidth(label->width()))
                            .arg(label->width())));
    // Inside the dialog, not clipped by its edge.
    const QRect inDialog(label->mapTo(&dialog, QPoint(0, 0)), label->size());
    QVERIFY(dialog.rect().contains(inDialog));
}

void TestReminderDialogs::reminderDialogLayout()
{
    const QDateTime due(QDate(2025, 3, 5), QTime(9, 0));
    ReminderDialog dialog(QStringLiteral("Buy milk %2 and %1"), due);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Reminder: Buy milk %2 and %1"));
    const auto *summary = child<QLineEdit>(dialog, "summaryEdit");
    QCOMPARE(summary->text(), QStringLiteral("Buy milk %2 and %1"));
    QVERIFY(summary->isReadOnly());
    QCOMPARE(child<QLabel>(dialog, "dueDateLabel")->text(),
             QStringLiteral("<p>Reminder Due Date: 05 Mar 2025 09:00 AM</p>"));
    QCOMPARE(child<QPushButton>(dialog, "dismissButton")->text(),
             QStringLiteral("Dismiss Reminder"));
    QCOMPARE(child<QPushButton>(dialog, "snoozeButton")->text(),
             QStringLiteral("Remind me again in..."));

    QCOMPARE(dialog.layout()->sizeConstraint(), QLayout::SetFixedSize);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void TestReminderDialogs::reminderDialogHeadline_data()
{
    QTest::addColumn<qint64>("secondsAgo");
    QTest::addColumn<QString>("headline");
    QTest::newRow("just due") << qint64(0) << "<p>This sticky's reminder time has elapsed:</p>";
    QTest::newRow("eight days") << qint64(11522 * 60 + 20)
                                << "This sticky is 1 week, 1 day, 2 minutes overdue:";
}

void TestReminderDialogs::reminderDialogHeadline()
{
    QFETCH(qint64, secondsAgo);
    QFETCH(QString, headline);
    const ReminderDialog dialog(QStringLiteral("Note"),
                                QDateTime::currentDateTime().addSecs(-secondsAgo));
    QCOMPARE(child<QLabel>(dialog, "headlineLabel")->text(), headline);
}

void TestReminderDialogs::snoozeEntries()
{
    const ReminderDialog dialog(QStringLiteral("Note"), QDateTime::currentDateTime());
    auto *combo = child<QComboBox>(dialog, "snoozeCombo");
    const QStringList texts = {"5 minutes", "10 minutes", "15 minutes", "30 minutes", "1 hour",
                               "2 hours",   "4 hours",    "8 hours",    "12 hours",   "1 day",
                               "2 days",    "3 days",     "4 days",     "1 week",     "2 weeks"};
    const QList<int> minutes = {5,   10,   15,   30,   60,   120,   240,  480,
                                720, 1440, 2880, 4320, 5760, 10080, 20160};
    QCOMPARE(combo->count(), 15);
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(dialog.snoozeMinutes(), 5);
    QCOMPARE(ReminderDialog::snoozeIntervals(), minutes);
    for (int index = 0; index < combo->count(); ++index) {
        QCOMPARE(combo->itemText(index), texts.at(index));
        combo->setCurrentIndex(index);
        QCOMPARE(dialog.snoozeMinutes(), minutes.at(index));
    }
}

void TestReminderDialogs::reminderDialogOutcome_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::newRow("escape dismisses") << "escape" << int(QDialog::Rejected);
    QTest::newRow("dismiss button") << "dismissButton" << int(QDialog::Rejected);
    QTest::newRow("snooze button") << "snoozeButton" << int(QDialog::Accepted);
    QTest::newRow("window close dismisses") << "close" << int(QDialog::Rejected);
}

void TestReminderDialogs::reminderDialogOutcome()
{
    QFETCH(QString, action);
    QFETCH(int, result);

    ReminderDialog dialog(QStringLiteral("Note"), QDateTime::currentDateTime());
    QTimer::singleShot(0, &dialog, [action] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        if (action == QLatin1String("escape"))
            QTest::keyClick(modal, Qt::Key_Escape);
        else if (action == QLatin1String("close"))
            modal->close();
        else
            QTest::mouseClick(modal->findChild<QPushButton *>(action), Qt::LeftButton);
    });
    // Nothing may leave the dialog waiting for a person.
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.done(-1); });
    QCOMPARE(dialog.exec(), result);
}

QTEST_MAIN(TestReminderDialogs)
#include "tst_reminderdialogs.moc"
