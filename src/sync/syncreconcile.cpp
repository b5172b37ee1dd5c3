#include "sync/syncreconcile.h"

#include "sync/syncmerge.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QHash>
#include <QIODevice>
#include <QSet>

#include <algorithm>

namespace SyncReconcile {

namespace {

QRect placeOf(const NoteRecord &record)
{
    return QRect(record.x, record.y, record.width, record.height);
}

NoteRecord withPlace(NoteRecord record, const QRect &place)
{
    record.x = place.x();
    record.y = place.y();
    record.width = place.width();
    record.height = place.height();
    return record;
}

// The place a local note travels with: the synced one while the note still
// lies where this machine fitted it.
QRect travellingPlace(const NoteRecord &record, const SyncEntry *entry)
{
    const QRect place = placeOf(record);
    if (entry && place == entry->fittedPlace)
        return entry->syncedPlace;
    return place;
}

SyncNote noteOf(const SyncEntry &entry, const NoteRecord &record)
{
    SyncNote note;
    note.uuid = entry.uuid;
    note.version = entry.version;
    note.machine = entry.machine;
    note.changed = entry.changed;
    note.deleted = entry.deleted;
    if (!entry.isDeleted()) {
        note.record = withPlace(record, entry.syncedPlace);
        note.record.id = 0;
    }
    return note;
}

class Reconciler
{
public:
    Reconciler(const SyncState &state, const QList<NoteRecord> &local, const Context &context)
        : m_local(local), m_context(context)
    {
        m_plan.state = state;
        for (qsizetype i = 0; i < local.size(); ++i)
            m_localIndex.insert(local.at(i).id, i);
        for (const SyncEntry &entry : std::as_const(m_plan.state.entries)) {
            if (entry.noteId != 0)
                m_uuidOfNote.insert(entry.noteId, entry.uuid);
        }
    }

    void takeLocalChanges();
    void takeFolder(const SyncFolderView &folder);
    // The files to write and remove once the folder was taken in: notes whose
    // file lacks their version, and notes of this machine the folder lacks.
    void planWrites(const QStringList &taken, const QSet<QString> &handled,
                    const QSet<QString> &unread, const QHash<QString, SyncVersion> &inFolder,
                    const QSet<QString> &removals);
    void expireTombstones(const SyncFolderView &folder);
    SyncPlan plan() { return std::move(m_plan); }

private:
    SyncState &state() { return m_plan.state; }
    quint64 nextCounter() { return ++state().counter; }
    void seeCounter(const SyncVersion &version)
    {
        state().counter = std::max(state().counter, version.highestCounter());
    }
    void markChanged(SyncEntry &entry)
    {
        entry.version = entry.version.changedBy(state().installation, nextCounter());
        entry.machine = m_context.machine;
        entry.changed = m_context.now;
    }
    // The note as this machine holds it now, or takes it in.
    SyncNote current(const SyncEntry &entry) const
    {
        if (const auto adopted = m_adopted.constFind(entry.uuid); adopted != m_adopted.cend())
            return *adopted;
        const qsizetype index = m_localIndex.value(entry.noteId, -1);
        return noteOf(entry, index >= 0 ? m_local.at(index) : NoteRecord());
    }
    // Takes `note` in as the note's version on this machine.
    void adopt(const SyncNote &note);

    const QList<NoteRecord> &m_local;
    const Context &m_context;
    SyncPlan m_plan;
    QHash<int, qsizetype> m_localIndex;
    QHash<int, QString> m_uuidOfNote;
    // The entries before the folder was taken in.
    QHash<QString, SyncEntry> m_original;
    // The notes taken in from the folder, and the local changes they make,
    // by uuid, in the order they came.
    QHash<QString, SyncNote> m_adopted;
    QHash<QString, SyncLocalChange> m_changes;
    QStringList m_changeOrder;
};

void Reconciler::takeLocalChanges()
{
    // Deleted notes whose values a new note has again: a note restored from
    // the trash is the same note.
    QHash<QByteArray, QString> tombstones;
    for (const SyncEntry &entry : std::as_const(state().entries)) {
        if (entry.isDeleted()) {
            tombstones.insert(entry.fingerprint, entry.uuid);
            if (!entry.fittedFingerprint.isEmpty())
                tombstones.insert(entry.fittedFingerprint, entry.uuid);
        }
    }
    QSet<int> present;
    for (const NoteRecord &record : m_local) {
        present.insert(record.id);
        const QString uuid = m_uuidOfNote.value(record.id);
        SyncEntry *entry = uuid.isEmpty() ? nullptr : &state().entries[uuid];
        const QRect place = travellingPlace(record, entry);
        const QByteArray print = m_context.fingerprints ? m_context.fingerprints->of(record, place)
                                                        : fingerprint(record, place);
        if (entry && entry->fingerprint == print)
            continue;
        if (!entry) {
            const QString known = tombstones.value(print);
            tombstones.removeIf([&known](const auto &item) { return item.value() == known; });
            SyncEntry fresh;
            fresh.uuid = known.isEmpty() ? m_context.newUuid() : known;
            if (!known.isEmpty())
                fresh.version = state().entries.value(known).version;
            entry = &state().entries[fresh.uuid];
            *entry = fresh;
            entry->noteId = record.id;
            m_uuidOfNote.insert(record.id, entry->uuid);
        }
        markChanged(*entry);
        entry->deleted = QDateTime();
        entry->fingerprint = print;
        entry->fittedFingerprint =
            place == placeOf(record) ? print : fingerprint(record, placeOf(record));
        entry->syncedPlace = place;
        entry->fittedPlace = placeOf(record);
    }
    for (SyncEntry &entry : state().entries) {
        if (entry.noteId == 0 || present.contains(entry.noteId))
            continue;
        markChanged(entry);
        entry.deleted = m_context.now;
        entry.noteId = 0;
    }
}

void Reconciler::adopt(const SyncNote &note)
{
    m_adopted.insert(note.uuid, note);
    const auto original = m_original.constFind(note.uuid);
    const SyncEntry *before = original == m_original.cend() ? nullptr : &*original;
    const bool wasLive = before && !before->isDeleted();
    SyncLocalChange change;
    change.uuid = note.uuid;
    if (wasLive) {
        const qsizetype index = m_localIndex.value(before->noteId, -1);
        const NoteRecord local = index >= 0 ? m_local.at(index) : NoteRecord();
        change.kind =
            note.isDeleted() ? SyncLocalChange::Kind::Delete : SyncLocalChange::Kind::Update;
        change.newPlace = !note.isDeleted() && placeOf(note.record) != before->syncedPlace;
        change.record = note.isDeleted() || change.newPlace
                            ? (note.isDeleted() ? local : note.record)
                            : withPlace(note.record, placeOf(local));
        change.record.id = before->noteId;
    } else {
        change.kind = SyncLocalChange::Kind::Add;
        change.record = note.record;
        change.record.id = 0;
        change.newPlace = true;
    }
    NoteRecord unchanged = change.record;
    if (wasLive) {
        const qsizetype index = m_localIndex.value(before->noteId, -1);
        unchanged = index >= 0 ? m_local.at(index) : NoteRecord();
    }
    // A merge that kept the values here only takes the other's version.
    const bool sameValues = wasLive && !note.isDeleted() && unchanged == change.record;
    if (!m_changeOrder.contains(note.uuid))
        m_changeOrder.append(note.uuid);
    if ((wasLive || !note.isDeleted()) && !sameValues)
        m_changes.insert(note.uuid, change);
    else
        m_changes.remove(note.uuid);

    SyncEntry &entry = state().entries[note.uuid];
    entry.uuid = note.uuid;
    entry.noteId = wasLive && !note.isDeleted() ? before->noteId : 0;
    entry.version = note.version;
    entry.machine = note.machine;
    entry.changed = note.changed;
    entry.deleted = note.deleted;
    if (!note.isDeleted()) {
        entry.syncedPlace = placeOf(note.record);
        entry.fingerprint = fingerprint(note.record, entry.syncedPlace);
        if (change.newPlace)
            entry.fittedPlace = entry.syncedPlace;
    }
    seeCounter(note.version);
}

void Reconciler::takeFolder(const SyncFolderView &folder)
{
    m_original = state().entries;
    // The versions in the folder by note, the main file's first, and the
    // version of each main file.
    QHash<QString, QList<const SyncFolderView::File *>> byNote;
    QHash<QString, SyncVersion> inFolder;
    // Notes whose file does not read yet: never written over meanwhile.
    QSet<QString> unread;
    for (const SyncFolderView::File &file : folder.files) {
        if (!file.note) {
            ++m_plan.pending;
            if (!file.conflict)
                unread.insert(file.key);
            continue;
        }
        QList<const SyncFolderView::File *> &versions = byNote[file.note->uuid];
        if (file.conflict) {
            versions.append(&file);
        } else if (file.key == file.note->uuid) {
            versions.prepend(&file);
            inFolder.insert(file.note->uuid, file.note->version);
        }
    }
    QStringList queue = byNote.keys();
    std::sort(queue.begin(), queue.end());
    QHash<QString, SyncNote> copies;
    QSet<QString> handled;
    QSet<QString> removals;
    for (qsizetype i = 0; i < queue.size(); ++i) {
        const QString uuid = queue.at(i);
        handled.insert(uuid);
        const auto known = state().entries.constFind(uuid);
        std::optional<SyncNote> note;
        if (known != state().entries.cend())
            note = current(*known);
        QList<SyncNote> versions;
        for (const SyncFolderView::File *file : byNote.value(uuid)) {
            versions.append(*file->note);
            if (file->conflict)
                removals.insert(file->name);
        }
        if (const auto copy = copies.constFind(uuid); copy != copies.cend())
            versions.append(*copy);
        const std::optional<SyncNote> held = note;
        for (const SyncNote &incoming : std::as_const(versions)) {
            if (!note) {
                note = incoming;
                continue;
            }
            const SyncMerge::Outcome outcome = SyncMerge::merge(*note, incoming);
            note = outcome.result;
            if (outcome.copy && !copies.contains(outcome.copy->uuid)) {
                ++m_plan.conflicts;
                copies.insert(outcome.copy->uuid, *outcome.copy);
                // Taken in after this note, even when its own turn is past.
                queue.append(outcome.copy->uuid);
            }
        }
        if (!note)
            continue;
        if (!held || held->version != note->version)
            adopt(*note);
    }
    planWrites(queue, handled, unread, inFolder, removals);
}

void Reconciler::planWrites(const QStringList &taken, const QSet<QString> &handled,
                            const QSet<QString> &unread,
                            const QHash<QString, SyncVersion> &inFolder,
                            const QSet<QString> &removals)
{
    for (const QString &uuid : taken) {
        const SyncEntry &entry = state().entries[uuid];
        if (!unread.contains(uuid) && inFolder.value(uuid) != entry.version)
            m_plan.writes.append(current(entry));
    }
    // Notes of this machine the folder lacks: new ones, and all of them in
    // a folder chosen anew.
    for (const SyncEntry &entry : std::as_const(state().entries)) {
        if (!handled.contains(entry.uuid) && !unread.contains(entry.uuid))
            m_plan.writes.append(current(entry));
    }
    // A note handled twice is written once.
    QSet<QString> written;
    for (qsizetype i = m_plan.writes.size() - 1; i >= 0; --i) {
        if (written.contains(m_plan.writes.at(i).uuid))
            m_plan.writes.removeAt(i);
        else
            written.insert(m_plan.writes.at(i).uuid);
    }
    m_plan.removals = QStringList(removals.cbegin(), removals.cend());
    m_plan.removals.sort();
    for (const QString &uuid : std::as_const(m_changeOrder)) {
        if (const auto change = m_changes.constFind(uuid); change != m_changes.cend())
            m_plan.changes.append(*change);
    }
}

void Reconciler::expireTombstones(const SyncFolderView &folder)
{
    const QDateTime limit = m_context.now.addDays(-kTombstoneDays);
    QSet<QString> expired;
    for (auto it = state().entries.begin(); it != state().entries.end();) {
        if (it->isDeleted() && it->deleted < limit) {
            expired.insert(it->uuid);
            it = state().entries.erase(it);
        } else {
            ++it;
        }
    }
    for (const SyncFolderView::File &file : folder.files) {
        if (file.note && file.note->isDeleted() && file.note->deleted < limit &&
            !m_plan.removals.contains(file.name))
            m_plan.removals.append(file.name);
    }
    m_plan.writes.erase(
        std::remove_if(m_plan.writes.begin(), m_plan.writes.end(),
                       [&](const SyncNote &note) { return expired.contains(note.uuid); }),
        m_plan.writes.end());
}

} // namespace

QByteArray fingerprint(const NoteRecord &record, const QRect &place)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    // Dates as the note file stores them, whole seconds: the same moment
    // read from a file (UTC) and held by a note (local time) is one value.
    stream << record.visible << record.colorRGB << record.colorName
           << RecordCodec::toSeconds(record.creationDate)
           << RecordCodec::toSeconds(record.originalReminderDate)
           << RecordCodec::toSeconds(record.reminderDate) << record.periodicMask << record.locked
           << record.alwaysOnTop << record.message << place << record.taskbarEntry;
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

QByteArray FingerprintCache::of(const NoteRecord &record, const QRect &place)
{
    Known &known = m_known[record.id];
    if (known.fingerprint.isEmpty() || known.place != place || !(known.record == record))
        known = {record, place, fingerprint(record, place)};
    return known.fingerprint;
}

SyncPlan run(const SyncState &state, const QList<NoteRecord> &local, const SyncFolderView &folder,
             const Context &context)
{
    Reconciler reconciler(state, local, context);
    reconciler.takeLocalChanges();
    if (folder.reachable) {
        reconciler.takeFolder(folder);
        reconciler.expireTombstones(folder);
    }
    return reconciler.plan();
}


void noteApplied(SyncState &state, const QString &uuid, const NoteRecord &applied)
{
    const auto entry = state.entries.find(uuid);
    if (entry == state.entries.end())
        return;
    entry->noteId = applied.id;
    entry->fittedPlace = placeOf(applied);
    entry->fingerprint = fingerprint(applied, entry->syncedPlace);
    entry->fittedFingerprint = fingerprint(applied, entry->fittedPlace);
}

} // namespace SyncReconcile
