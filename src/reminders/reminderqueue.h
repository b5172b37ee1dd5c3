#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class ReminderDialog;

// Keeps the reminder dialogs of due notes on screen without ever nesting an
// event loop: each dialog is shown and answered through its finished()
// signal. At most maxOpen() dialogs are up at a time; further reminders wait
// in arrival order and come up as earlier ones are answered, and every open
// dialog shows how many are waiting. Only an answer given in a dialog reaches
// its note; when the program ends, open and waiting reminders are left as
// they are, so they are still due at the next start.
class ReminderQueue : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDefaultMaxOpen = 10;

    struct Request
    {
        // The request is dropped when its owner (the note) is destroyed.
        QPointer<QObject> owner;
        // Called when a place is free: prepares and returns the dialog, not
        // shown yet. The queue owns it from then on.
        std::function<ReminderDialog *()> createDialog;
        // Called with the dialog's result and its snooze minutes once the
        // user answered it.
        std::function<void(int result, int snoozeMinutes)> answered;
    };

    // The program's queue; it lives as long as the application object.
    static ReminderQueue &instance();

    explicit ReminderQueue(QObject *parent = nullptr);
    ~ReminderQueue() override;

    void enqueue(Request request);

    int maxOpen() const { return m_maxOpen; }
    void setMaxOpen(int maxOpen);
    int openCount() const { return int(m_open.size()); }
    int waitingCount() const { return int(m_waiting.size()); }
    QList<ReminderDialog *> openDialogs() const;

    // Closes every dialog and forgets every waiting reminder without
    // answering any of them; used when the program ends.
    void abandonAll();

private:
    struct OpenDialog
    {
        QPointer<ReminderDialog> dialog;
        Request request;
    };

    void openWaiting();
    void dialogFinished(ReminderDialog *dialog, int result);
    void updateWaitingCounts();

    int m_maxOpen = kDefaultMaxOpen;
    QList<OpenDialog> m_open;
    QList<Request> m_waiting;
    bool m_abandoning = false;
};
