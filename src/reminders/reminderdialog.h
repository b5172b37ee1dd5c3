#pragma once

#include <QDateTime>
#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;

// Shown when a note's reminder is due: dismiss it (reject, also Escape and
// the close button) or snooze it for one of fifteen intervals (accept).
class ReminderDialog : public QDialog
{
    Q_OBJECT

public:
    ReminderDialog(const QString &summary, const QDateTime &dueDate, QWidget *parent = nullptr,
                   Qt::WindowFlags flags = {});

    // The chosen snooze interval in minutes.
    int snoozeMinutes() const;
    // The minutes of the fifteen snooze entries, in their order.
    static QList<int> snoozeIntervals();
    // Shows how many further reminders wait for a place on screen (nothing
    // when none wait).
    void setWaitingCount(int count);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void dismissButtonClicked();
    void snoozeButtonClicked();

private:
    QComboBox *m_snoozeCombo = nullptr;
    QLabel *m_waitingLabel = nullptr;
};
