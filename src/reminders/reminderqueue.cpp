#include "reminders/reminderqueue.h"

#include "base/tracing.h"
#include "reminders/reminderdialog.h"

#include <QCoreApplication>

ReminderQueue &ReminderQueue::instance()
{
    static QPointer<ReminderQueue> queue;
    if (!queue) {
        queue = new ReminderQueue(QCoreApplication::instance());
        // The program's own ending is no answer: leave every reminder due.
        if (QCoreApplication::instance())
            connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, queue,
                    &ReminderQueue::abandonAll);
    }
    return *queue;
}

ReminderQueue::ReminderQueue(QObject *parent) : QObject(parent)
{
}

ReminderQueue::~ReminderQueue()
{
    // The queue goes with the application object, after the program's ending
    // has abandoned every dialog; a dialog still left (a test that never
    // answered) is only cut loose, as widgets must not be deleted this late.
    for (const OpenDialog &entry : std::as_const(m_open)) {
        if (entry.dialog) {
            disconnect(entry.dialog, nullptr, this, nullptr);
            if (entry.request.owner)
                disconnect(entry.request.owner, nullptr, entry.dialog, nullptr);
        }
    }
}

void ReminderQueue::setMaxOpen(int maxOpen)
{
    m_maxOpen = std::max(1, maxOpen);
    openWaiting();
}

QList<ReminderDialog *> ReminderQueue::openDialogs() const
{
    QList<ReminderDialog *> dialogs;
    for (const OpenDialog &entry : m_open) {
        if (entry.dialog)
            dialogs << entry.dialog.data();
    }
    return dialogs;
}

void ReminderQueue::enqueue(Request request)
{
    if (m_abandoning)
        return;
    m_waiting.append(std::move(request));
    openWaiting();
    updateWaitingCounts();
}

void ReminderQueue::openWaiting()
{
    while (m_open.size() < m_maxOpen && !m_waiting.isEmpty()) {
        Request request = m_waiting.takeFirst();
        if (!request.owner)
            continue;
        ReminderDialog *dialog = request.createDialog();
        if (!dialog)
            continue;
        m_open.append({dialog, std::move(request)});
        connect(dialog, &QDialog::finished, this,
                [this, dialog](int result) { dialogFinished(dialog, result); });
        // Closing a note's window while its reminder is up takes the reminder
        // along unanswered.
        connect(m_open.constLast().request.owner.data(), &QObject::destroyed, dialog,
                [this, dialog] { dialogFinished(dialog, -1); });
        dialog->setModal(false); // several reminders may be answered in any order
        dialog->show();
    }
    qCDebug(lcReminders) << "ReminderQueue:" << m_open.size() << "open," << m_waiting.size()
                         << "waiting";
}

void ReminderQueue::dialogFinished(ReminderDialog *dialog, int result)
{
    const auto found =
        std::find_if(m_open.begin(), m_open.end(),
                     [dialog](const OpenDialog &entry) { return entry.dialog == dialog; });
    if (found == m_open.end())
        return;
    const OpenDialog entry = *found;
    m_open.erase(found);
    disconnect(dialog, nullptr, this, nullptr);
    dialog->hide();
    dialog->deleteLater();
    if (result >= 0 && entry.request.owner && entry.request.answered)
        entry.request.answered(result, dialog->snoozeMinutes());
    openWaiting();
    updateWaitingCounts();
}

void ReminderQueue::updateWaitingCounts()
{
    for (const OpenDialog &entry : std::as_const(m_open)) {
        if (entry.dialog)
            entry.dialog->setWaitingCount(int(m_waiting.size()));
    }
}

void ReminderQueue::abandonAll()
{
    m_abandoning = true;
    if (!m_open.isEmpty() || !m_waiting.isEmpty())
        qCDebug(lcReminders) << "ReminderQueue: leaving" << m_open.size() + m_waiting.size()
                             << "reminders unanswered";
    m_waiting.clear();
    const QList<OpenDialog> open = std::exchange(m_open, {});
    for (const OpenDialog &entry : open) {
        if (entry.dialog) {
            disconnect(entry.dialog, nullptr, this, nullptr);
            delete entry.dialog.data();
        }
    }
    m_abandoning = false;
}
