#pragma once

#include "platform/fileidentity.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

class QSqlError;
struct sqlite3;

// What stands between the program and a note file that may not be what it
// should: the note file itself (another file may have taken its path), the
// copies kept beside it and files to import (made by anyone, perhaps to
// harm). The static functions look at a file without changing it, or move
// it aside; an object stops the statements of one connection that run too
// long, so no content can keep the program waiting.
class NoteFileGuard
{
public:
    // What a look at a file that should hold notes found out.
    struct FileCheck
    {
        // Why it is no usable note file, in words for the user after "is not
        // a Notarella note file:"; empty when it is one.
        QString problem;
        // The notes a load would find (the backup table's when `stickies` is
        // empty); -1 when it is not usable.
        int notes = -1;
    };

    // What is at the path of a file a connection has open.
    enum class AtPath
    {
        Same,
        Gone,
        NotAFile,
        Other
    };

    // How long a look into a file may take: enough to count the notes of any
    // real note file, and an end to a view that never ends.
    static constexpr int kInspectMilliseconds = 10000;

    // What an empty file is: a new note file starts as one, and SQLite reads
    // it as a database without tables.
    enum class EmptyFile
    {
        Refused,
        Read
    };
    // What is at `file` when it is no file SQLite could read (missing, a
    // folder, a pipe, a device, empty when `empty` refuses it); empty
    // otherwise.
    static QString kindProblem(const QString &file, EmptyFile empty = EmptyFile::Refused);
    // Why the note tables of `database` are not the program's own; empty
    // when they are. `stickies` must be a real table (a view could run
    // forever) with the note columns; `stickies_backup` may be missing, and
    // is otherwise such a table too.
    static QString schemaProblem(const QSqlDatabase &database);
    // A failed statement's reason in words for the user; never empty.
    static QString reasonOf(const QSqlError &error);
    // Looks at `file` read-only: its kind, its tables and how many notes it
    // holds, within kInspectMilliseconds.
    static FileCheck inspect(const QString &file);
    // Whether `file` still names the file identified as `opened`.
    static AtPath atPath(const QString &file, const std::optional<Platform::FileIdentity> &opened);
    // Moves `file` (and the journal, write-ahead log and shared-memory index
    // SQLite keeps beside it) to `<file><suffix><date-time>`, numbered when
    // that name is taken; returns the new name, or an empty text when it
    // cannot be moved. Nothing is ever removed.
    static QString putAside(const QString &file, const QString &suffix);

    // The SQLite connection of the open `database`; null when there is none.
    static sqlite3 *handleOf(const QSqlDatabase &database);

    // While it lives, stops every statement of the open `database` once
    // `limitMs` have passed since the clock was last started (at
    // construction, or by restartClock()), or once the stop check says so.
    // SQLite looks at the clock every `stepsBetweenChecks` steps.
    NoteFileGuard(const QSqlDatabase &database, int limitMs, int stepsBetweenChecks = 1000);
    ~NoteFileGuard();
    NoteFileGuard(const NoteFileGuard &) = delete;
    NoteFileGuard &operator=(const NoteFileGuard &) = delete;

    // Called often, from the thread running the statement.
    void setStopCheck(std::function<bool()> stop) { m_stop = std::move(stop); }
    void restartClock();
    // Whether a statement was stopped since the clock was last started.
    bool wasStopped() const { return m_stopped; }

private:
    static int progress(void *self);

    sqlite3 *m_handle = nullptr;
    int m_limitMs;
    QElapsedTimer m_clock;
    std::function<bool()> m_stop;
    bool m_stopped = false;
};
