// The main window's part in keeping the notes in step with a sync folder:
// it hands the service the notes, makes the changes the folder brings, and
// keeps the sync state with the notes.

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "notes/noteplacement.h"
#include "notes/notesettings.h"
#include "notes/stickywidget.h"
#include "settings/preferences.h"
#include "store/notedatabase.h"
#include "sync/syncservice.h"
#include "ui/userprompt.h"

#include <QApplication>
#include <QFileInfo>

void MainWindow::setupSync()
{
    SyncService::Hooks hooks;
    hooks.records = [this] { return syncedRecords(); };
    hooks.apply = [this](const QList<SyncLocalChange> &changes) {
        return applySyncChanges(changes);
    };
    hooks.keep = [this](const QHash<QString, QString> &rows) {
        // Written with the notes, in one transaction.
        m_writer.setSyncRows(rows);
        saveStickiesInBackground();
    };
    m_sync = new SyncService(hooks, this);
    m_sync->setStoredState(m_writer.syncRows());
    connect(m_sync, &SyncService::statusChanged, this, &MainWindow::setSyncStateText);
    connect(m_sync, &SyncService::notice, this, [this](const QString &text) {
        UserPrompt::notify(this, tr("Sync"), QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()));
    });
    connect(this, &MainWindow::syncFolderChosen, m_sync, &SyncService::setFolder);
    // A note edited and left: its change goes out at once, not with the
    // minute's save.
    connect(qApp, &QApplication::focusChanged, m_sync, &SyncService::notesChanged);
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
    QHash<int, StickyWidget *> notes;
    int nextId = 1;
    for (StickyWidget *sticky : std::as_const(stickyList)) {
        notes.insert(sticky->stickyID(), sticky);
        nextId = std::max(nextId, sticky->stickyID() + 1);
    }
    const NoteSettings settings = NoteSettings::read();
    QList<StickyWidget *> toShow;
    QList<int> ids;
    for (const SyncLocalChange &change : changes) {
        NoteRecord record = change.record;
        StickyWidget *sticky = notes.value(record.id);
        switch (change.kind) {
        case SyncLocalChange::Kind::Add:
            record.id = nextId++;
            // Placed and fitted to this machine's screens.
            sticky = createStickyFromRecord(record, settings);
            notes.insert(record.id, sticky);
            break;
        case SyncLocalChange::Kind::Update:
            if (!sticky)
                break;
            sticky->takeValues(record);
            if (change.newPlace) {
                sticky->placeAt({record.x, record.y});
                sticky->resize(record.width, record.height);
                NotePlacement::keepOnScreen(sticky);
            }
            if (!record.visible && sticky->isVisible())
                sticky->hide();
            break;
        case SyncLocalChange::Kind::Delete:
            // Into this machine's trash, as a deletion here would.
            if (sticky)
                stickyDeleted(sticky);
            sticky = nullptr;
            break;
        }
        if (sticky && record.visible && !sticky->isVisible() && !toShow.contains(sticky))
            toShow.append(sticky);
        ids.append(sticky ? sticky->stickyID() : 0);
    }
    showLoadedNotes(toShow);
    updateTableWidget();
    saveStickiesInBackground();

    QHash<int, NoteRecord> now;
    for (const NoteRecord &record : collectRecords())
        now.insert(record.id, record);
    QList<NoteRecord> applied;
    for (const int id : std::as_const(ids))
        applied.append(now.value(id));
    return applied;
}
