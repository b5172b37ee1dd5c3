// The note operations of the main window: saving every note, loading them at
// start-up, adopting, creating and removing notes.

#include "app/mainwindow.h"
#include "app/preferences.h"
#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "reminders/reminderthread.h"

#include <QApplication>

namespace {

NoteRecord recordOf(const StickyWidget &sticky)
{
    NoteRecord record;
    record.id = sticky.stickyID();
    record.visible = sticky.isVisible();
    record.colorRGB = sticky.colorRGB();
    record.colorName = sticky.colorName();
    record.creationDate = sticky.creationDate();
    record.originalReminderDate = sticky.originalReminderDate();
    record.reminderDate = sticky.reminderDate();
    record.periodicMask = sticky.periodicMask();
    record.locked = sticky.isLocked();
    record.alwaysOnTop = sticky.isStaysOnTop();
    record.message = sticky.message();
    record.x = sticky.x();
    record.y = sticky.y();
    record.width = sticky.width();
    record.height = sticky.height();
    record.taskbarEntry = !sticky.isToolWindow();
    return record;
}

} // namespace

void MainWindow::saveStickies()
{
    qCDebug(lcStore) << "MainWindow::saveStickies()";
    if (m_loadingNotes) {
        qCDebug(lcStore) << "   +-- not while the notes are being loaded";
        return;
    }
    QList<NoteRecord> records;
    records.reserve(stickyList.size());
    for (const StickyWidget *sticky : std::as_const(stickyList)) {
        records.append(recordOf(*sticky));
        qCDebug(lcStore) << "MESSAGE:" << records.constLast().message.size() << "characters";
        qCDebug(lcStore) << "Qt::Tool ==" << sticky->isToolWindow();
    }
    m_database.save(records);
    qCDebug(lcStore) << "Finished Saving";
}

void MainWindow::loadExistingStickies()
{
    qCDebug(lcStore) << "MainWindow::loadExistingStickies() --------------------------";
    const QList<NoteRecord> records = m_database.load();
    QList<StickyWidget *> toShow;
    for (const NoteRecord &record : records) {
        qCDebug(lcStore) << "   |";
        qCDebug(lcStore) << "   +-- MainWindow::loadExistingStickies() - Loading Sticky"
                         << record.id;
        auto *sticky =
            new StickyWidget(record.id, record.colorRGB, record.colorName, record.creationDate,
                             record.originalReminderDate, record.reminderDate, record.periodicMask,
                             record.locked, record.message);
        assimilateSticky(sticky);
        Qt::WindowFlags flags = sticky->windowFlags();
        if (record.alwaysOnTop)
            flags |= Qt::WindowStaysOnTopHint;
        if (!record.taskbarEntry)
            flags = (flags & ~Qt::WindowType_Mask) | Qt::Tool;
        if (flags != sticky->windowFlags())
            sticky->setWindowFlags(flags);
        sticky->move(record.x, record.y);
        sticky->resize(record.width, record.height);
        if (record.visible)
            toShow.append(sticky);
    }
    // Every note exists before any is shown. Showing many windows at once
    // piles up window-system and paint events that Qt compresses by scanning
    // its queues, so they are handled every few windows; no save may run
    // meanwhile, as the notes not shown yet would be stored as hidden.
    m_loadingNotes = true;
    for (qsizetype i = 0; i < toShow.size(); ++i) {
        toShow.at(i)->show();
        if (i % 25 == 24)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    m_loadingNotes = false;
    // Activating each note in turn leaves the last one active; activating
    // only that one spares the window manager a focus change per note.
    if (!toShow.isEmpty())
        toShow.last()->activateWindow();
    // The note list is built once for all notes (by changeLanguage() right
    // after the loading, or when the panel is first shown), not once per note.
}

void MainWindow::assimilateSticky(StickyWidget *sticky)
{
    qCDebug(lcStore) << "MainWindow::assimilateSticky(" << sticky->stickyID() << ")";
    stickyList.append(sticky);
    connect(sticky, &StickyWidget::stickyDeleted, this, &MainWindow::stickyDeleted);
    connect(sticky, &StickyWidget::controlPanelRequest, this, &MainWindow::showControlPanel);
    if (m_reminderThread)
        connect(m_reminderThread, &ReminderThread::reminderCheck, sticky,
                &StickyWidget::reminderCheck);
}

void MainWindow::createSticky(const QString &rgb, const QString &name)
{
    qCDebug(lcStore) << "MainWindow::createSticky(" << rgb << "," << name << ")";
    int newID = 1;
    for (const StickyWidget *sticky : std::as_const(stickyList))
        newID = std::max(newID, sticky->stickyID() + 1);

    auto *sticky = new StickyWidget(newID, rgb, name, QDateTime::currentDateTime(), QDateTime(),
                                    QDateTime(), QString(), false, QString());
    assimilateSticky(sticky);
    if (!Preferences::userBool(Preferences::Names::UseTaskBarByDefault))
        sticky->setWindowFlags((sticky->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
    sticky->move(200 + 20 * m_cascadeIndex, 200 + 20 * m_cascadeIndex);
    if (++m_cascadeIndex > 9)
        m_cascadeIndex = 0;
    sticky->show();
    sticky->activateWindow();
    updateTableWidget();
}

void MainWindow::stickyDeleted(StickyWidget *deletedSticky)
{
    qCDebug(lcStore) << "MainWindow::stickyDeleted()";
    stickyList.removeAll(deletedSticky);
    if (m_reminderThread)
        disconnect(m_reminderThread, nullptr, deletedSticky, nullptr);
    // The note asked for its own removal from inside one of its slots (its
    // context menu may still be unwinding): it goes at once from view and
    // from the list, and is destroyed when control is back in the event loop.
    deletedSticky->hide();
    deletedSticky->deleteLater();
    updateTableWidget();
}
