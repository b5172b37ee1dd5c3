#pragma once

#include <QDateTime>
#include <QDialog>

#include <array>

class QCheckBox;
class QDateTimeEdit;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Sets, changes or removes a note's reminder: no reminder, a one-time
// reminder at a date and time, or a periodic one described by five fields.
// Exactly one of the three choices is selected at all times. The note reads
// reminderDate() and periodicMask() after the dialog was accepted.
class SetReminderDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SetReminderDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // Loads the note's reminder: no date selects "No Reminder". A readable
    // periodic `mask` fills the five periodic fields and, with a date, selects
    // the periodic choice; any other date selects the one-time choice. The
    // date-time edit shows the date in both cases.
    void setReminderDate(const QDateTime &date, const QString &mask);

    // The chosen date, seconds zero: null for "No Reminder", the edited date
    // for a one-time reminder, the next match for a saved periodic one.
    QDateTime reminderDate() const;
    // The stored pattern of a saved periodic reminder, empty otherwise.
    QString periodicMask() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void noReminderGroupBoxToggled(bool b);
    void onceGroupBoxToggled(bool b);
    void periodicGroupBoxToggled(bool b);
    void displayHelp();
    void acceptReminder();
    void updateNextMatchLabel();

private:
    // The constructor's parts; the two groups go inside m_scheduleGroup.
    QGroupBox *createOnceGroup();
    QGroupBox *createPeriodicGroup();
    QHBoxLayout *createButtonRow();
    QStringList periodicFieldTexts() const;
    void fitNextMatchLabelHeight();
    QString dateFormat() const;

    QGroupBox *m_scheduleGroup = nullptr;
    QCheckBox *m_noReminderBox = nullptr;
    QGroupBox *m_onceGroup = nullptr;
    QGroupBox *m_periodicGroup = nullptr;
    QDateTimeEdit *m_dateTimeEdit = nullptr;
    std::array<QLineEdit *, 5> m_fieldEdits{};
    QLabel *m_nextMatchLabel = nullptr;
    QPushButton *m_saveButton = nullptr;

    QDateTime m_periodicDate;
    QString m_periodicMask;
};
