#include "sync/syncservice.h"

#include "base/tracing.h"
#include "sync/syncfolder.h"
#include "sync/syncnotefile.h"

#include <QDir>
#include <QLocale>
#include <QSysInfo>
#include <QUuid>

SyncService::SyncService(Hooks hooks, QObject *parent) : QObject(parent), m_hooks(std::move(hooks))
{
    m_thread.setObjectName(QStringLiteral("sync"));
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    // The thread starts with the first folder: without sync it costs nothing.
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, &SyncService::startCycle);
    m_interval.setInterval(kScanIntervalMs);
    connect(&m_interval, &QTimer::timeout, this, &SyncService::syncNow);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this] { schedule(kFolderDelayMs); });
}

SyncService::~SyncService()
{
    if (!m_thread.isRunning()) {
        delete m_context;
        return;
    }
    m_thread.quit();
    m_thread.wait();
}

void SyncService::setStoredState(const QHash<QString, QString> &rows)
{
    if (const auto stored = SyncState::fromRows(rows)) {
        m_state = *stored;
        m_stateFresh = false;
    } else {
        // Kept once a folder is chosen, so the installation's id never
        // changes after that.
        m_state = SyncState::fresh();
        m_stateFresh = true;
    }
    m_stateRead = true;
}

void SyncService::setFolder(const QString &folder)
{
    const QString path = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
    if (path == m_folder)
        return;
    qCDebug(lcStore) << "SyncService::setFolder" << path;
    m_folder = path;
    ++m_generation;
    if (!m_stateRead)
        setStoredState({});
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_disk = path.isEmpty() ? nullptr : std::make_shared<SyncFolder>(path);
    m_toldUnreachable = false;
    m_unreachableSince = QDateTime();
    if (path.isEmpty()) {
        m_interval.stop();
        m_soon.stop();
        setStatus(Status::Off);
        return;
    }
    if (!m_thread.isRunning())
        m_thread.start(QThread::LowPriority);
    if (std::exchange(m_stateFresh, false) && m_hooks.keep)
        m_hooks.keep(m_state.toRows());
    setStatus(Status::Starting);
    m_interval.start();
    schedule(0);
}

void SyncService::notesChanged()
{
    if (m_disk && !m_soon.isActive())
        schedule(kLocalDelayMs);
}

void SyncService::syncNow()
{
    if (m_disk)
        schedule(0);
}

void SyncService::schedule(int delayMs)
{
    if (m_busy) {
        m_again = true;
        return;
    }
    if (!m_soon.isActive() || m_soon.remainingTime() > delayMs)
        m_soon.start(delayMs);
}

void SyncService::watch()
{
    QStringList paths{m_folder,
                      QDir(m_folder).filePath(QLatin1String(SyncNoteFile::kPictureFolder))};
    for (const QString &path : paths) {
        if (!m_watcher.directories().contains(path) && QFileInfo(path).isDir())
            m_watcher.addPath(path);
    }
}

SyncReconcile::Context SyncService::context()
{
    SyncReconcile::Context context =
        m_contextSource
            ? m_contextSource()
            : SyncReconcile::Context{
                  QDateTime::currentDateTimeUtc(), QSysInfo::machineHostName(),
                  [] { return QUuid::createUuid().toString(QUuid::WithoutBraces); }, nullptr};
    context.fingerprints = &m_fingerprints;
    return context;
}

void SyncService::startCycle()
{
    if (!m_disk || m_busy)
        return;
    m_busy = true;
    m_again = false;
    const int generation = m_generation;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QMetaObject::invokeMethod(
        m_context,
        [this, disk = m_disk, generation, now] {
            const SyncFolderView view = disk->read(now);
            QMetaObject::invokeMethod(
                this,
                [this, view, generation] {
                    if (generation != m_generation) {
                        finishCycle(QString());
                        return;
                    }
                    reconcile(view);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void SyncService::reconcile(const SyncFolderView &view)
{
    if (!view.reachable) {
        // Local changes still get their versions, so they are written once
        // the folder is back even when the program ends meanwhile.
        const SyncPlan plan = SyncReconcile::run(m_state, m_hooks.records(), view, context());
        if (!(plan.state == m_state)) {
            m_state = plan.state;
            m_hooks.keep(m_state.toRows());
        }
        finishCycle(tr("The folder %1 is not reachable.").arg(m_folder));
        return;
    }
    watch();
    SyncPlan plan = SyncReconcile::run(m_state, m_hooks.records(), view, context());
    if (!plan.changes.isEmpty()) {
        const QList<NoteRecord> applied = m_hooks.apply(plan.changes);
        for (qsizetype i = 0; i < plan.changes.size() && i < applied.size(); ++i) {
            if (applied.at(i).id != 0)
                SyncReconcile::noteApplied(plan.state, plan.changes.at(i).uuid, applied.at(i));
        }
    }
    m_conflicts += plan.conflicts;
    if (!(plan.state == m_state)) {
        m_state = plan.state;
        m_hooks.keep(m_state.toRows());
    }
    qCDebug(lcStore) << "sync:" << plan.changes.size() << "changes here," << plan.writes.size()
                     << "files to write," << plan.removals.size() << "to remove," << plan.pending
                     << "not read yet";
    if (plan.writes.isEmpty() && plan.removals.isEmpty()) {
        finishCycle(QString());
        return;
    }
    const int generation = m_generation;
    QMetaObject::invokeMethod(
        m_context,
        [this, disk = m_disk, writes = plan.writes, removals = plan.removals, generation] {
            const SyncFolder::WriteResult result = disk->write(writes, removals);
            QMetaObject::invokeMethod(
                this,
                [this, result, generation] {
                    finishCycle(generation == m_generation ? result.error : QString());
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void SyncService::finishCycle(const QString &error)
{
    m_busy = false;
    if (!m_disk) {
        setStatus(Status::Off);
    } else if (!error.isEmpty()) {
        if (!m_unreachableSince.isValid())
            m_unreachableSince = QDateTime::currentDateTime();
        setStatus(Status::Unreachable);
        if (!std::exchange(m_toldUnreachable, true))
            emit notice(statusText() + QLatin1Char('\n') + error);
    } else {
        m_unreachableSince = QDateTime();
        m_toldUnreachable = false;
        setStatus(Status::InStep);
    }
    emit cycleFinished();
    if (m_again)
        schedule(0);
}

void SyncService::setStatus(Status status)
{
    m_status = status;
    emit statusChanged(statusText());
}

QString SyncService::statusText() const
{
    QString text;
    switch (m_status) {
    case Status::Off:
        return tr("Sync is off.");
    case Status::Starting:
        return tr("Looking at the folder…");
    case Status::InStep: {
        int notes = 0;
        for (const SyncEntry &entry : m_state.entries)
            notes += entry.isDeleted() ? 0 : 1;
        text = tr("In step, %n notes", nullptr, notes);
        break;
    }
    case Status::Unreachable:
        text = tr("Folder not reachable since %1, changes are kept and will be written when it "
                  "is back")
                   .arg(QLocale().toString(m_unreachableSince.time(), QLocale::ShortFormat));
        break;
    }
    if (m_conflicts > 0)
        text += QStringLiteral("\n") +
                tr("%n notes were changed on two computers at once: both texts kept", nullptr,
                   m_conflicts);
    return text;
}
