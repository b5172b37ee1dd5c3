#pragma once

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
};

QString dailyName(const QString &databaseFile, QDate date);
QString byHandName(const QString &databaseFile, const QDateTime &when);
QString beforeRestoreName(const QString &databaseFile, const QDateTime &when);

// Every copy of `databaseFile` found beside it, newest first, with its note
// count.
QList<Copy> list(const QString &databaseFile);

// Removes the daily copies beyond the newest `keep`; returns the removed files.
QStringList prune(const QString &databaseFile, int keep);

// The notes a load of `file` would find (the backup table's when `stickies`
// is empty); -1 when it is no readable note file.
int noteCount(const QString &file);

// Puts the copy `backup` in the place of `databaseFile`, a file that cannot
// be opened: that file (and its journal) is first moved aside to
// `<file>.unreadable-<date-time>` as NoteDatabase::putFileAside() names it,
// returned in `keptAs`, and never
// removed. False with `error` set when either step fails; the file is then
// back where it was.
bool replaceUnreadable(const QString &databaseFile, const QString &backup, QString *keptAs,
                       QString *error);

// Writes a consistent copy of the open database `database` to `target`: it
// is written under a temporary name and renamed into place once complete, so
// `target` is never half written. False with `error` set when that fails.
bool writeCopy(const QSqlDatabase &database, const QString &target, QString *error);

} // namespace NoteBackups
