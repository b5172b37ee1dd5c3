#include "reminders/setreminderdialog.h"

#include "base/localdatetext.h"
#include "richtext/rzopendefaultbrowser.h"

#include "base/tracing.h"
#include "reminders/periodicschedule.h"
#include "reminders/remindertiming.h"
#include "settings/preferences.h"
#include "ui/selectallonfocus.h"
#include "ui/userprompt.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {
const char *const kFieldLabels[PeriodicSchedule::FieldCount] = {
    QT_TRANSLATE_NOOP("SetReminderDialog", "Minutes (0-59) ="),
    QT_TRANSLATE_NOOP("SetReminderDialog", "Hours (0-23) ="),
    QT_TRANSLATE_NOOP("SetReminderDialog", "Days (1-31) ="),
    QT_TRANSLATE_NOOP("SetReminderDialog", "Months (1-12) ="),
    QT_TRANSLATE_NOOP("SetReminderDialog", "Weekdays (1-7, Monday=1) ="),
};
const char *const kFieldObjectNames[PeriodicSchedule::FieldCount] = {
    "minutesEdit", "hoursEdit", "daysEdit", "monthsEdit", "weekdaysEdit",
};
} // namespace

SetReminderDialog::SetReminderDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Notarella - Set Reminder"));

    auto *mainLayout = new QVBoxLayout(this);

    m_scheduleGroup = new QGroupBox(tr("Schedule Reminder"), this);
    auto *scheduleLayout = new QVBoxLayout(m_scheduleGroup);

    m_noReminderBox = new QCheckBox(tr("No Reminder"), m_scheduleGroup);
    m_noReminderBox->setObjectName(QStringLiteral("noReminderBox"));
    scheduleLayout->addWidget(m_noReminderBox);
    scheduleLayout->addWidget(createOnceGroup());
    scheduleLayout->addWidget(createPeriodicGroup());
    mainLayout->addWidget(m_scheduleGroup);
    mainLayout->addLayout(createButtonRow());

    m_noReminderBox->setChecked(true);
    m_onceGroup->setChecked(false);
    m_periodicGroup->setChecked(false);
    m_saveButton->setDefault(true);
    m_saveButton->setFocus();

    connect(m_noReminderBox, &QCheckBox::toggled, this,
            &SetReminderDialog::noReminderGroupBoxToggled);
    connect(m_onceGroup, &QGroupBox::toggled, this, &SetReminderDialog::onceGroupBoxToggled);
    connect(m_periodicGroup, &QGroupBox::toggled, this,
            &SetReminderDialog::periodicGroupBoxToggled);
}

QGroupBox *SetReminderDialog::createOnceGroup()
{
    m_onceGroup = new QGroupBox(tr("One-Time Reminder"), m_scheduleGroup);
    m_onceGroup->setObjectName(QStringLiteral("onceGroup"));
    m_onceGroup->setCheckable(true);
    m_onceGroup->setFlat(true);
    auto *onceLayout = new QHBoxLayout(m_onceGroup);
    onceLayout->setContentsMargins(0, 0, 0, 0);
    onceLayout->setSpacing(0);
    m_dateTimeEdit = new QDateTimeEdit(QDateTime::currentDateTime().addSecs(60), m_onceGroup);
    m_dateTimeEdit->setObjectName(QStringLiteral("dateTimeEdit"));
    m_dateTimeEdit->setDisplayFormat(dateFormat());
    m_dateTimeEdit->setWrapping(true);
    onceLayout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    onceLayout->addWidget(m_dateTimeEdit);
    onceLayout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    return m_onceGroup;
}

QGroupBox *SetReminderDialog::createPeriodicGroup()
{
    m_periodicGroup = new QGroupBox(tr("Periodic Reminder"), m_scheduleGroup);
    m_periodicGroup->setObjectName(QStringLiteral("periodicGroup"));
    m_periodicGroup->setCheckable(true);
    m_periodicGroup->setFlat(true);
    auto *periodicLayout = new QGridLayout(m_periodicGroup);
    periodicLayout->addWidget(new QLabel(tr("My reminders will occur on:"), m_periodicGroup), 0, 0,
                              1, 2);
    for (int index = 0; index < PeriodicSchedule::FieldCount; ++index) {
        const auto field = static_cast<PeriodicSchedule::Field>(index);
        auto *label = new QLabel(tr(kFieldLabels[index]), m_periodicGroup);
        auto *edit = new QLineEdit(PeriodicSchedule::anyValueText(field), m_periodicGroup);
        edit->setObjectName(QLatin1String(kFieldObjectNames[index]));
        // The initial "Every ..." texts are real text: typing replaces them.
        SelectAllOnFocus::install(edit);
        label->setBuddy(edit);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        periodicLayout->addWidget(label, index + 1, 0);
        periodicLayout->addWidget(edit, index + 1, 1);
        connect(edit, &QLineEdit::textChanged, this, &SetReminderDialog::updateNextMatchLabel);
        m_fieldEdits[index] = edit;
    }
    auto *nextMatchCaption = new QLabel(tr("Next periodic date match:"), m_periodicGroup);
    nextMatchCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_nextMatchLabel =
        new QLabel(QStringLiteral("<b>%1</b>")
                       .arg(localDateText(QDateTime::currentDateTime().addSecs(60), dateFormat())
                                .toHtmlEscaped()),
                   m_periodicGroup);
    m_nextMatchLabel->setObjectName(QStringLiteral("nextMatchLabel"));
    m_nextMatchLabel->setWordWrap(true);
    m_nextMatchLabel->installEventFilter(this);
    periodicLayout->addWidget(nextMatchCaption, PeriodicSchedule::FieldCount + 1, 0);
    periodicLayout->addWidget(m_nextMatchLabel, PeriodicSchedule::FieldCount + 1, 1);
    return m_periodicGroup;
}

QHBoxLayout *SetReminderDialog::createButtonRow()
{
    auto *buttonLayout = new QHBoxLayout;
    auto *helpButton = new QPushButton(tr("&Help!"), this);
    helpButton->setObjectName(QStringLiteral("helpButton"));
    m_saveButton = new QPushButton(tr("&Save"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    auto *cancelButton = new QPushButton(tr("&Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    buttonLayout->addWidget(helpButton);
    buttonLayout->addStretch();
    buttonLayout->addWidget(m_saveButton);
    buttonLayout->addWidget(cancelButton);
    connect(helpButton, &QPushButton::clicked, this, &SetReminderDialog::displayHelp);
    connect(m_saveButton, &QPushButton::clicked, this, &SetReminderDialog::acceptReminder);
    connect(cancelButton, &QPushButton::clicked, this, &SetReminderDialog::reject);
    return buttonLayout;
}

QString SetReminderDialog::dateFormat() const
{
    return Preferences::dateFormat();
}

void SetReminderDialog::noReminderGroupBoxToggled(bool b)
{
    if (b) {
        if (m_onceGroup->isChecked())
            m_onceGroup->setChecked(false);
        if (m_periodicGroup->isChecked())
            m_periodicGroup->setChecked(false);
    } else if (!m_onceGroup->isChecked() && !m_periodicGroup->isChecked()) {
        m_noReminderBox->setChecked(true); // it cannot be cleared directly
    }
}

void SetReminderDialog::onceGroupBoxToggled(bool b)
{
    if (b) {
        if (m_noReminderBox->isChecked())
            m_noReminderBox->setChecked(false);
        if (m_periodicGroup->isChecked())
            m_periodicGroup->setChecked(false);
    } else if (!m_periodicGroup->isChecked()) {
        m_noReminderBox->setChecked(true);
    }
}

void SetReminderDialog::periodicGroupBoxToggled(bool b)
{
    if (b) {
        if (m_noReminderBox->isChecked())
            m_noReminderBox->setChecked(false);
        if (m_onceGroup->isChecked())
            m_onceGroup->setChecked(false);
        updateNextMatchLabel();
    } else if (!m_onceGroup->isChecked()) {
        m_noReminderBox->setChecked(true);
    }
}

void SetReminderDialog::setReminderDate(const QDateTime &date, const QString &mask)
{
    qCDebug(lcReminders).nospace()
        << "SetReminderDialog::setReminderDate(" << date << "," << mask << ")";
    const auto schedule = PeriodicSchedule::fromMask(mask);
    if (schedule) {
        const QStringList texts = schedule->fieldTexts();
        for (int index = 0; index < PeriodicSchedule::FieldCount; ++index) {
            const QString &text = texts.at(index);
            m_fieldEdits[index]->setText(
                text.isEmpty()
                    ? PeriodicSchedule::anyValueText(static_cast<PeriodicSchedule::Field>(index))
                    : text);
        }
    }

    if (!date.isValid()) {
        qCDebug(lcReminders) << "  > No currentReminder.";
        m_noReminderBox->setChecked(true);
        return;
    }
    m_dateTimeEdit->setDateTime(date);
    // A periodic reminder opens on its pattern, so that saving it unchanged
    // keeps the schedule; the one-time choice still offers its next date.
    // The chosen group's slot clears the other two choices.
    (schedule ? m_periodicGroup : m_onceGroup)->setChecked(true);
}

QDateTime SetReminderDialog::reminderDate() const
{
    if (m_onceGroup->isChecked())
        return ReminderTiming::withoutSeconds(m_dateTimeEdit->dateTime());
    if (m_periodicGroup->isChecked())
        return m_periodicDate;
    return {};
}

QString SetReminderDialog::periodicMask() const
{
    return m_periodicGroup->isChecked() ? m_periodicMask : QString();
}

QStringList SetReminderDialog::periodicFieldTexts() const
{
    QStringList texts;
    for (const QLineEdit *edit : m_fieldEdits)
        texts << edit->text();
    return texts;
}

void SetReminderDialog::updateNextMatchLabel()
{
    QString error;
    std::optional<QDateTime> next;
    if (const auto schedule = PeriodicSchedule::fromFieldTexts(periodicFieldTexts(), &error))
        next = schedule->nextMatch(QDateTime::currentDateTime(), &error);
    if (next) {
        m_nextMatchLabel->setText(
            QStringLiteral("<b>%1</b>").arg(localDateText(*next, dateFormat()).toHtmlEscaped()));
    } else {
        m_nextMatchLabel->setText(
            QStringLiteral("<font color=\"#b00000\">%1</font>").arg(error.toHtmlEscaped()));
    }
    fitNextMatchLabelHeight();
}

bool SetReminderDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_nextMatchLabel && event->type() == QEvent::Resize)
        fitNextMatchLabelHeight();
    return QDialog::eventFilter(watched, event);
}

// A wrapped label's height depends on its width, which the layout does not
// follow for the window's minimum size: without this a long message (an
// error, or a long date format) would be cut off. Holding the label's minimum
// height at the height its text needs makes the dialog grow to show it all.
void SetReminderDialog::fitNextMatchLabelHeight()
{
    const int needed = m_nextMatchLabel->heightForWidth(m_nextMatchLabel->width());
    if (needed > 0 && needed != m_nextMatchLabel->minimumHeight())
        m_nextMatchLabel->setMinimumHeight(needed);
}

void SetReminderDialog::displayHelp()
{
    showHelpPage(QStringLiteral("Additional Components/Reminders.html"));
}

void SetReminderDialog::acceptReminder()
{
    qCDebug(lcReminders) << "   |";
    qCDebug(lcReminders) << "   +-- acceptReminder()";

    if (m_noReminderBox->isChecked()) {
        accept();
        return;
    }

    if (m_onceGroup->isChecked()) {
        const QDateTime chosen = m_dateTimeEdit->dateTime();
        const QDateTime now = QDateTime::currentDateTime();
        qCDebug(lcReminders) << ">>>>>>+-- checking if" << chosen << "is less than" << now;
        if (chosen < now) {
            UserPrompt::warning(
                this, tr("Reminder Error"),
                tr("<p>Please set your reminder to occur <i>after</i> the current date and "
                   "time.<p>"),
                QMessageBox::Ok, QMessageBox::Ok);
            return;
        }
        accept();
        return;
    }

    QString error;
    std::optional<QDateTime> next;
    const auto schedule = PeriodicSchedule::fromFieldTexts(periodicFieldTexts(), &error);
    if (schedule)
        next = schedule->nextMatch(QDateTime::currentDateTime(), &error);
    if (!next) {
        UserPrompt::warning(this, tr("Reminder Error"),
                            tr("<p>This periodic reminder cannot be scheduled:</p><p>%1</p>")
                                .arg(error.toHtmlEscaped()),
                            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    m_periodicDate = ReminderTiming::withoutSeconds(*next);
    m_periodicMask = schedule->toMask();
    qCDebug(lcReminders) << "   +-- periodic reminder" << m_periodicMask << "next at"
                         << m_periodicDate;
    accept();
}
