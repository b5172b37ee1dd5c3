#pragma once

#include "store/noterecord.h"
#include "store/notetrash.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// Copies of the note file kept beside it: one a day (`<file>.backup-YYYY-MM-DD`,
// the last few kept), the ones taken by hand (`<file>.backup-YYYY-MM-DD-HHmmss`)
// and the file as it was before a restore
// (`<file>.before-restore-YYYY-MM-DD-HHmmss`).
namespace NoteBackups {

enum class Kind
{
    Daily,
    ByHand,
    BeforeRestore
};

struct Copy
{
    QString file;
    Kind kind = Kind::Daily;
    QDateTime taken; // from the name; a daily copy's time is midnight
    int notes = -1;  // what loading it would give; -1 when it cannot be read
    QString problem; // why it cannot be restored; empty when it can
};

QString dailyName(const QString &databaseFile, QDate date);
QString byHandName(const QString &databaseFile, const QDateTime &when);
QString beforeRestoreName(const QString &databaseFile, const QDateTime &when);

// Every copy of `databaseFile` found beside it, newest first, with its note
// count, or why it cannot be restored.
QList<Copy> list(const QString &databaseFile);

// Removes the daily copies beyond the newest `keep`, never `justTaken`;
// returns the removed files. A copy is as old as its name or its file's
// modification time says, whichever is earlier: a clock that was once ahead
// leaves names dated in the future.
QStringList prune(const QString &databaseFile, int keep, const QString &justTaken = QString());

// The notes a load of `file` would find (the backup table's when `stickies`
// is empty); -1 when it is no readable note file (see NoteDatabase::inspect()).
int noteCount(const QString &file);

// Puts the copy `backup` in the place of `databaseFile`, a file that cannot
// be opened: that file (and its journal and logs) is first moved aside to
// `<file>.unreadable-<date-time>` as NoteDatabase::putFileAside() names it,
// returned in `keptAs`, and never
// removed. False with `error` set when either step fails; the file is then
// back where it was.
bool replaceUnreadable(const QString &databaseFile, const QString &backup, QString *keptAs,
                       QString *error);

// Writes a consistent copy of the open database `database` to `target`: it
// is written under a temporary name and renamed into place once complete, so
// `target` is never half written, and only this user may read it. False with
// `error` set when that fails.
bool writeCopy(const QSqlDatabase &database, const QString &target, QString *error);

// Writes `records` and the deleted notes `trash` to a new file `name` in the
// first of `folders` that is this user's own (made, private, when missing),
// numbering the name when it is taken. The file is created for this user
// alone and never through a link; an attempt that fails leaves nothing
// behind. Returns the file written, or an empty text with `error` set.
QString writeRescueCopy(const QStringList &folders, const QString &name,
                        const QList<NoteRecord> &records, const QList<TrashedNote> &trash,
                        QString *error);

} // namespace NoteBackups
