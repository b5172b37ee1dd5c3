#include "reminders/reminderdialog.h"

#include "base/localdatetext.h"
#include "base/tracing.h"
#include "reminders/remindertiming.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
struct SnoozeEntry
{
    const char *text;
    int minutes;
};

const SnoozeEntry kSnoozeEntries[] = {
    {QT_TRANSLATE_NOOP("ReminderDialog", "5 minutes"), 5},
    {QT_TRANSLATE_NOOP("ReminderDialog", "10 minutes"), 10},
    {QT_TRANSLATE_NOOP("ReminderDialog", "15 minutes"), 15},
    {QT_TRANSLATE_NOOP("ReminderDialog", "30 minutes"), 30},
    {QT_TRANSLATE_NOOP("ReminderDialog", "1 hour"), 60},
    {QT_TRANSLATE_NOOP("ReminderDialog", "2 hours"), 120},
    {QT_TRANSLATE_NOOP("ReminderDialog", "4 hours"), 240},
    {QT_TRANSLATE_NOOP("ReminderDialog", "8 hours"), 480},
    {QT_TRANSLATE_NOOP("ReminderDialog", "12 hours"), 720},
    {QT_TRANSLATE_NOOP("ReminderDialog", "1 day"), 1440},
    {QT_TRANSLATE_NOOP("ReminderDialog", "2 days"), 2880},
    {QT_TRANSLATE_NOOP("ReminderDialog", "3 days"), 4320},
    {QT_TRANSLATE_NOOP("ReminderDialog", "4 days"), 5760},
    {QT_TRANSLATE_NOOP("ReminderDialog", "1 week"), 10080},
    {QT_TRANSLATE_NOOP("ReminderDialog", "2 weeks"), 20160},
};
} // namespace

ReminderDialog::ReminderDialog(const QString &summary, const QDateTime &dueDate, QWidget *parent,
                               Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    qCDebug(lcReminders) << "ReminderDialog::ReminderDialog ( constructor ) - start";
    qCDebug(lcReminders) << "   |";
    qCDebug(lcReminders) << "   +-- General Layout";

    setWindowTitle(tr("%1: %2").arg(tr("Reminder"), summary));

    auto *layout = new QGridLayout(this);
    auto *headline =
        new QLabel(ReminderTiming::reminderHeadline(dueDate, QDateTime::currentDateTime()), this);
    headline->setObjectName(QStringLiteral("headlineLabel"));
    layout->addWidget(headline, 1, 1, 1, 2);

    auto *summaryEdit = new QLineEdit(summary, this);
    summaryEdit->setObjectName(QStringLiteral("summaryEdit"));
    summaryEdit->setReadOnly(true);
    summaryEdit->setAccessibleName(tr("Note"));
    layout->addWidget(summaryEdit, 2, 1, 1, 2);

    auto *dueLabel = new QLabel(
        tr("<p>Reminder Due Date: %1</p>")
            .arg(localDateText(dueDate, QLatin1String(ReminderTiming::kReminderDateFormat))),
        this);
    dueLabel->setObjectName(QStringLiteral("dueDateLabel"));
    layout->addWidget(dueLabel, 3, 1, 1, 2);

    auto *dismissButton = new QPushButton(tr("Dismiss Reminder"), this);
    dismissButton->setObjectName(QStringLiteral("dismissButton"));
    layout->addWidget(dismissButton, 4, 1);
    connect(dismissButton, &QPushButton::clicked, this, &ReminderDialog::dismissButtonClicked);

    auto *snoozeButton = new QPushButton(tr("Remind me again in..."), this);
    snoozeButton->setObjectName(QStringLiteral("snoozeButton"));
    layout->addWidget(snoozeButton, 5, 1);
    connect(snoozeButton, &QPushButton::clicked, this, &ReminderDialog::snoozeButtonClicked);

    m_snoozeCombo = new QComboBox(this);
    m_snoozeCombo->setObjectName(QStringLiteral("snoozeCombo"));
    m_snoozeCombo->setEditable(false);
    for (const SnoozeEntry &entry : kSnoozeEntries)
        m_snoozeCombo->addItem(tr(entry.text), entry.minutes);
    m_snoozeCombo->setCurrentIndex(0);
    layout->addWidget(m_snoozeCombo, 5, 2);

    m_waitingLabel = new QLabel(this);
    m_waitingLabel->setObjectName(QStringLiteral("waitingLabel"));
    m_waitingLabel->hide();
    layout->addWidget(m_waitingLabel, 6, 1, 1, 2);

    layout->setSizeConstraint(QLayout::SetFixedSize);
    activateWindow();
}

int ReminderDialog::snoozeMinutes() const
{
    return m_snoozeCombo->currentData().toInt();
}

QList<int> ReminderDialog::snoozeIntervals()
{
    QList<int> minutes;
    for (const SnoozeEntry &entry : kSnoozeEntries)
        minutes << entry.minutes;
    return minutes;
}

void ReminderDialog::setWaitingCount(int count)
{
    m_waitingLabel->setText(tr("%n more reminder(s) waiting", nullptr, count));
    m_waitingLabel->setVisible(count > 0);
}

void ReminderDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A due reminder must be seen: bring the dialog in front of other windows.
    raise();
    activateWindow();
}

void ReminderDialog::dismissButtonClicked()
{
    reject();
}

void ReminderDialog::snoozeButtonClicked()
{
    accept();
}
