#pragma once

#include "store/noterecord.h"
#include "sync/syncreconcile.h"
#include "sync/syncstate.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

class SyncFolder;

// Keeps the notes in step with a sync folder while the program runs: looks
// at the folder when it changes (a watcher), every 30 s and at the start
// (watchers miss changes on network file systems), and shortly after the
// notes changed here (the owner calls notesChanged() for every change). Reading and writing the folder happen on a thread of
// its own; the reconcile and the changes to the notes on the GUI thread,
// where the notes are.
//
// An unreachable folder never holds anything up: the notes' versions are
// kept with the notes, so whatever the folder lacks is written once it is
// back, also after a restart.
class SyncService : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        // The notes as they are now, in list order.
        std::function<QList<NoteRecord>()> records;
        // Makes the changes to the notes; returns each note as it is
        // afterwards, in the order of the changes (an id of 0 for a note
        // deleted or not made).
        std::function<QList<NoteRecord>(const QList<SyncLocalChange> &)> apply;
        // Keeps the state with the notes, written with their next save.
        std::function<void(const QHash<QString, QString> &)> keep;
    };

    enum class Status
    {
        Off,
        Starting,
        InStep,
        Unreachable
    };

    static constexpr int kScanIntervalMs = 30000;
    // After a change here, so a burst of changes goes as one.
    static constexpr int kLocalDelayMs = 1000;
    // After the folder changed, so a file being written is seen whole.
    static constexpr int kFolderDelayMs = 300;

    explicit SyncService(Hooks hooks, QObject *parent = nullptr);
    ~SyncService() override;

    // The state kept with the notes, as read with them.
    void setStoredState(const QHash<QString, QString> &rows);
    // Starts keeping the notes in step with `folder`; an empty one stops.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }

    Status status() const { return m_status; }
    // "In step, 214 notes", …, in words for the user.
    QString statusText() const;
    // Notes changed on two computers at once since the start.
    int conflicts() const { return m_conflicts; }
    const SyncState &state() const { return m_state; }

    // The context of a reconcile: tests give repeatable ids and times.
    void setContextSource(std::function<SyncReconcile::Context()> source)
    {
        m_contextSource = std::move(source);
    }

public slots:
    // Something changed here: the folder gets it shortly.
    void notesChanged();
    // Looks at the folder now (or as soon as the running look is done).
    void syncNow();

signals:
    void statusChanged(const QString &text);
    // Something the user must be told once, such as the folder gone.
    void notice(const QString &text);
    // A look at the folder and the writes it led to are done.
    void cycleFinished();

private:
    void schedule(int delayMs);
    void startCycle();
    void reconcile(const SyncFolderView &view);
    void finishCycle(const QString &error);
    void setStatus(Status status);
    void watch();
    SyncReconcile::Context context();

    Hooks m_hooks;
    QString m_folder;
    SyncState m_state;
    bool m_stateRead = false;
    // Made here, not yet kept with the notes.
    bool m_stateFresh = false;
    Status m_status = Status::Off;
    QDateTime m_unreachableSince;
    bool m_toldUnreachable = false;
    int m_conflicts = 0;
    int m_generation = 0;
    bool m_busy = false;
    bool m_again = false;

    QThread m_thread;
    // Lives in m_thread; the folder is only used there.
    QObject *m_context = nullptr;
    std::shared_ptr<SyncFolder> m_disk;
    QFileSystemWatcher m_watcher;
    QTimer m_soon;
    QTimer m_interval;
    std::function<SyncReconcile::Context()> m_contextSource;
    SyncReconcile::FingerprintCache m_fingerprints;
};
