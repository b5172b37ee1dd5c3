// The main window's part in keeping the notes in step with a sync folder:
// it hands the service the notes, makes the changes the folder brings, and
// keeps the sync state with the notes.

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "settings/preferences.h"
#include "store/notedatabase.h"
#include "sync/syncservice.h"
#include "ui/userprompt.h"

#include <QApplication>
#include <QFileInfo>
#include <QScopedValueRollback>

void MainWindow::setupSync()
{
    SyncService::Hooks hooks;
    hooks.records = [this] { return syncedRecords(); };
    hooks.apply = [this](const QList<SyncLocalChange> &changes) {
        return applySyncChanges(changes);
    };
    hooks.keep = [this](const QHash<QString, QString> &rows) {
        // Written with the notes, in one transaction, once the cycle is done.
        m_writer.setSyncRows(rows);
        m_syncSaveDue = true;
    };
    m_sync = new SyncService(hooks, this);
    m_sync->setStoredState(m_writer.syncRows());
    connect(m_sync, &SyncService::statusChanged, this, &MainWindow::setSyncStateText);
    connect(m_sync, &SyncService::notice, this, [this](const QString &text) {
        UserPrompt::notify(this, tr("Sync"), QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()));
    });
    connect(this, &MainWindow::syncFolderChosen, m_sync, &SyncService::setFolder);
    // One save for all a cycle changed: the notes it brought and the state.
    connect(m_sync, &SyncService::cycleFinished, this, [this] {
        if (std::exchange(m_syncSaveDue, false))
            saveStickiesInBackground();
    });
    // Every change here reaches the folder shortly, whoever made it; the
    // changes the folder brought are not sent back.
    const auto changedHere = [this] {
        if (!m_applyingSync)
            m_sync->notesChanged();
    };
    connect(&m_book, &NoteBook::noteAdded, m_sync, changedHere);
    connect(&m_book, &NoteBook::noteChanged, m_sync, changedHere);
    connect(&m_book, &NoteBook::noteRemoved, m_sync, changedHere);
    setSyncStateText(m_sync->statusText());
    m_sync->setFolder(Preferences::userString(Preferences::Names::SyncFolder));
}

QList<NoteRecord> MainWindow::syncedRecords() const
{
    QList<NoteRecord> records = collectRecords();
    // The welcome note every new installation makes stays on its computer
    // while untouched: two computers joining a folder would show two.
    const QString welcome = WelcomeNote::document();
    records.removeIf([this, &welcome](const NoteRecord &record) {
        return record.message == welcome && !m_sync->state().entryOfNote(record.id);
    });
    return records;
}

void MainWindow::syncStateReloaded()
{
    if (!m_sync)
        return;
    m_sync->setStoredState(m_writer.syncRows());
    m_sync->syncNow();
}

QList<NoteRecord> MainWindow::applySyncChanges(const QList<SyncLocalChange> &changes)
{
    qCDebug(lcStore) << "MainWindow::applySyncChanges()" << changes.size();
    QList<NoteChange> batch;
    batch.reserve(changes.size());
    for (const SyncLocalChange &change : changes) {
        NoteChange item;
        item.note = Note::fromRecord(change.record);
        switch (change.kind) {
        case SyncLocalChange::Kind::Add:
            item.kind = NoteChange::Kind::Add;
            break;
        case SyncLocalChange::Kind::Update:
            // The place is this machine's own unless the folder brought one.
            item.kind = NoteChange::Kind::Update;
            item.fields = ~NoteFields(NoteField::Place);
            if (change.newPlace)
                item.fields |= NoteField::Place;
            break;
        case SyncLocalChange::Kind::Delete:
            // Into this machine's trash, as a deletion here would.
            item.kind = NoteChange::Kind::Remove;
            break;
        }
        batch.append(item);
    }
    const QScopedValueRollback applying(m_applyingSync, true);
    const QList<int> ids =
        m_book.apply(batch, QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch()));
    m_syncSaveDue = true;
    QList<NoteRecord> applied;
    applied.reserve(ids.size());
    for (const int id : ids) {
        const Note *note = id ? m_book.find(id) : nullptr;
        applied.append(note ? note->record() : NoteRecord());
    }
    return applied;
}
