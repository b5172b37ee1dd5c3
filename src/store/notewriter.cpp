#include "store/notewriter.h"

#include "base/tracing.h"
#include "platform/durablereplace.h"
#include "platform/privatefile.h"
#include "platform/threadpriority.h"
#include "store/notebackups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

NoteWriter::NoteWriter(QObject *parent) : QObject(parent), m_context(new QObject)
{
    m_thread.setObjectName(QStringLiteral("note writer"));
    m_context->moveToThread(&m_thread);
    m_thread.start();
    // A writer woken on a busy machine would otherwise take the processor
    // from the GUI thread that has just handed it the notes.
    QMetaObject::invokeMethod(m_context, &Platform::lowerCurrentThreadPriority,
                              Qt::QueuedConnection);
}

NoteWriter::~NoteWriter()
{
    // Queued after every save handed over, so those are written first.
    runAndWait([this] { m_database.close(); });
    m_thread.quit();
    m_thread.wait();
    delete m_context; // its thread has ended
}

template <typename Work> void NoteWriter::runAndWait(Work work)
{
    QMetaObject::invokeMethod(m_context, work, Qt::BlockingQueuedConnection);
}

NoteDatabase::OpenResult NoteWriter::open(const QString &dataDirectory, const QString &databaseFile)
{
    NoteDatabase::OpenResult result = NoteDatabase::OpenResult::OpenFailed;
    runAndWait([&] { result = m_database.open(dataDirectory, databaseFile); });
    return result;
}

QList<NoteRecord> NoteWriter::load(QList<NoteDatabase::Incident> *incidents)
{
    QList<NoteRecord> records;
    runAndWait([&] {
        records = m_database.load();
        if (m_database.trash().removeLiveCopies(records) > 0)
            commitTrashNow();
        const QList<NoteDatabase::Incident> seen = m_database.takeIncidents();
        if (incidents)
            *incidents = seen;
    });
    return records;
}

NoteWriter::Outcome NoteWriter::saveNow(const QList<NoteRecord> &records)
{
    Outcome outcome;
    outcome.saved = m_database.save(records);
    outcome.error = m_database.lastError();
    outcome.incidents = m_database.takeIncidents();
    return outcome;
}

NoteWriter::Outcome NoteWriter::save(const QList<NoteRecord> &records)
{
    Outcome outcome;
    runAndWait([&] { outcome = saveNow(records); });
    return outcome;
}

void NoteWriter::saveLater(const QList<NoteRecord> &records)
{
    QMetaObject::invokeMethod(
        m_context,
        [this, records] {
            const Outcome outcome = saveNow(records);
            // Delivered in this object's thread; dropped if it is gone by then.
            QMetaObject::invokeMethod(
                this, [this, outcome] { emit saved(outcome); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void NoteWriter::waitForSaves()
{
    runAndWait([] {});
}

QSqlDatabase NoteWriter::connection() const
{
    return m_database.connection();
}

NoteWriter::Outcome NoteWriter::backUpNow(const QString &target)
{
    Outcome outcome;
    if (!m_database.isOpen())
        outcome.error = tr("The note file is not open.");
    else
        outcome.saved = NoteBackups::writeCopy(m_database.connection(), target, &outcome.error);
    qCDebug(lcStore) << "NoteWriter::backUp()" << target << outcome.saved << outcome.error;
    return outcome;
}

NoteWriter::Outcome NoteWriter::backUp(const QString &target)
{
    Outcome outcome;
    runAndWait([&] { outcome = backUpNow(target); });
    return outcome;
}

void NoteWriter::backUpDailyLater(const QString &target, int keep)
{
    QMetaObject::invokeMethod(
        m_context,
        [this, target, keep] {
            if (QFileInfo::exists(target))
                return; // taken earlier today, by an earlier run
            const Outcome outcome = backUpNow(target);
            if (outcome.saved)
                NoteBackups::prune(m_database.databaseFile(), keep, target);
            QMetaObject::invokeMethod(
                this, [this, target, outcome] { emit backedUp(target, outcome); },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

NoteWriter::Outcome NoteWriter::restoreNow(const QString &backup, const QString &keepCurrentAs)
{
    Outcome outcome;
    const QString file = m_database.databaseFile();
    const NoteDatabase::FileCheck check = NoteDatabase::inspect(backup);
    if (check.notes < 0) {
        outcome.error = tr("%1 is not a Notarella note file: %2")
                            .arg(QDir::toNativeSeparators(backup), check.problem);
        return outcome;
    }
    // The current notes first, whole, under their own name: nothing below
    // may lose them.
    outcome = backUpNow(keepCurrentAs);
    if (!outcome.saved)
        return outcome;
    outcome.saved = false;
    const QString incoming = file + QStringLiteral(".restoring");
    QFile::remove(incoming);
    QString reason;
    if (!PrivateFile::copy(backup, incoming, &reason)) {
        outcome.error = tr("%1 cannot be copied.").arg(QDir::toNativeSeparators(backup));
        qCWarning(lcStore) << "cannot copy" << backup << reason;
        return outcome;
    }
    const QString directory = QFileInfo(file).absolutePath();
    m_database.close();
    // One step: the path holds either the old file or the whole restored
    // one, also after a power cut.
    const bool replaced = Platform::replaceWith(incoming, file, &outcome.error);
    if (m_database.open(directory, file) != NoteDatabase::OpenResult::Opened) {
        outcome.error = tr("The note file cannot be opened again.");
        return outcome;
    }
    outcome.saved = replaced;
    return outcome;
}

NoteWriter::Outcome NoteWriter::restore(const QString &backup, const QString &keepCurrentAs)
{
    Outcome outcome;
    runAndWait([&] { outcome = restoreNow(backup, keepCurrentAs); });
    return outcome;
}

QList<TrashedNote> NoteWriter::trashedNotes()
{
    QList<TrashedNote> notes;
    runAndWait([&] { notes = m_database.trash().notes(); });
    return notes;
}

NoteWriter::Outcome NoteWriter::moveToTrash(const TrashedNote &note)
{
    Outcome outcome;
    runAndWait([&] {
        m_database.trash().add(note);
        outcome = commitTrashNow();
    });
    return outcome;
}

NoteWriter::Outcome NoteWriter::restoreFromTrash(const QList<TrashedNote> &notes,
                                                 const QList<NoteRecord> &records)
{
    Outcome outcome;
    runAndWait([&] {
        m_database.trash().remove(notes);
        outcome = saveNow(records);
    });
    return outcome;
}

NoteWriter::Outcome NoteWriter::commitTrashNow()
{
    Outcome outcome;
    outcome.saved = m_database.trash().commit(&outcome.error);
    return outcome;
}

NoteWriter::Outcome NoteWriter::eraseFromTrash(const QList<TrashedNote> &notes)
{
    Outcome outcome;
    runAndWait([&] {
        m_database.trash().remove(notes);
        outcome = commitTrashNow();
    });
    return outcome;
}

void NoteWriter::expireTrashLater(const QDateTime &now)
{
    QMetaObject::invokeMethod(
        m_context,
        [this, now] {
            const int removed = m_database.trash().removeExpired(now);
            const Outcome outcome = commitTrashNow();
            qCDebug(lcStore) << "NoteWriter::expireTrash()" << removed << "removed"
                             << outcome.error;
        },
        Qt::QueuedConnection);
}

QHash<QString, QString> NoteWriter::syncRows()
{
    QHash<QString, QString> rows;
    runAndWait([&] { rows = m_database.syncTable().rows(); });
    return rows;
}

void NoteWriter::setSyncRows(const QHash<QString, QString> &rows)
{
    QMetaObject::invokeMethod(
        m_context, [this, rows] { m_database.syncTable().set(rows); }, Qt::QueuedConnection);
}
