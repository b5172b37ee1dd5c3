#pragma once

#include "store/noterecord.h"
#include "sync/syncstate.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// One look at a sync folder: the notes it holds, read and checked.
struct SyncFolderView
{
    struct File
    {
        // Relative to the folder.
        QString name;
        // The note's id its name gives.
        QString key;
        // A note file or a conflict copy of one.
        bool conflict = false;
        // Nothing while the file does not read yet (the engine may still be
        // writing it, or a picture it shows has not arrived): it is looked
        // at again by a later look, and never replaced meanwhile.
        std::optional<SyncNote> note;
    };
    QList<File> files;
    bool reachable = false;
};

// A change the local notes take from the folder.
struct SyncLocalChange
{
    enum class Kind
    {
        Add,
        Update,
        Delete
    };
    Kind kind = Kind::Add;
    QString uuid;
    // The values; `record.id` is the local note for Update and Delete, 0 for
    // Add (the note takes a free id).
    NoteRecord record;
    // Whether the place came from the folder and must be fitted to this
    // machine's screens.
    bool newPlace = false;
};

// What a reconcile found to do.
struct SyncPlan
{
    // The state once the changes are made and the files written.
    SyncState state;
    QList<SyncLocalChange> changes;
    // The notes (and tombstones) whose file must be written, by uuid.
    QList<SyncNote> writes;
    // Files to remove once the writes are done: conflict copies taken in,
    // tombstones kept their 60 days.
    QStringList removals;
    // Notes changed on two computers at once whose other text was kept.
    int conflicts = 0;
    // Files that do not read yet.
    int pending = 0;
};

// Brings the local notes and the folder in step: notices what changed
// locally since the last reconcile (new, changed and deleted notes), takes
// in what the folder holds, merging versions made on two machines at once so
// that no text is lost, and says which files must be written. Plain and
// single-threaded: the caller reads the folder and writes it.
namespace SyncReconcile {

// How long a tombstone stays in the folder.
inline constexpr qint64 kTombstoneDays = 60;

// Fingerprints of the notes as last computed, by note: a note whose values
// did not change since is not hashed again (a look at 10,000 notes would
// otherwise hash 20 MB).
class FingerprintCache
{
public:
    QByteArray of(const NoteRecord &record, const QRect &place);

private:
    struct Known
    {
        NoteRecord record;
        QRect place;
        QByteArray fingerprint;
    };
    QHash<int, Known> m_known;
};

struct Context
{
    QDateTime now;
    // This machine's name, for the notes it changes.
    QString machine;
    // A new random id for a note: tests give a repeatable one.
    std::function<QString()> newUuid;
    // Optional: fingerprints kept from one look to the next.
    FingerprintCache *fingerprints = nullptr;
};

// `local` are the notes as they are now, in list order.
SyncPlan run(const SyncState &state, const QList<NoteRecord> &local, const SyncFolderView &folder,
             const Context &context);

// A change of the plan was made: the local note of `uuid` is now `applied`
// (its id, the place it was fitted to, its text as the note keeps it).
void noteApplied(SyncState &state, const QString &uuid, const NoteRecord &applied);

// Of the note's values as they travel (not its id or place), to notice a
// change.
QByteArray fingerprint(const NoteRecord &record, const QRect &place);

} // namespace SyncReconcile
