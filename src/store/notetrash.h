#pragma once

#include "store/noterecord.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// A note the user deleted, as the save stored it, and when it was deleted
// (whole seconds).
struct TrashedNote
{
    NoteRecord record;
    QDateTime deleted;

    bool operator==(const TrashedNote &other) const = default;
};

// The deleted notes of a note file, kept in a table of their own,
// `stickies_trash`, for 30 days or until the user removes them; the tables
// of the notes are never touched here. A file without the table holds an
// empty trash.
//
// The trash is read with the notes and then kept in memory. A change is
// written with the next save of the notes, in the same transaction, or by
// commit(); one that could not be written stays in memory and goes with the
// next save, and a file written anew (it had gone, or was replaced) gets the
// whole trash again.
class NoteTrash
{
public:
    static const QString kTable;
    static const QString kCreateStatement;
    // How long a deleted note is kept.
    static constexpr qint64 kKeptSeconds = 30 * 24 * 60 * 60;

    // Whether a note deleted at `deleted` has been kept its 30 days at `now`.
    static bool hasExpired(const QDateTime &deleted, const QDateTime &now);
    // `notes` as the user sees them: the latest deletion first.
    static QList<TrashedNote> newestFirst(const QList<TrashedNote> &notes);
    // The id a restored note takes: its own while no note uses it, otherwise
    // the one after the largest in use.
    static int restoredId(int id, const QList<int> &idsInUse);

    // Works on `connection`, the owner's connection member, whichever file it
    // has open.
    explicit NoteTrash(const QSqlDatabase &connection) : m_connection(connection) {}
    NoteTrash(const NoteTrash &) = delete;
    NoteTrash &operator=(const NoteTrash &) = delete;

    // After the connection has opened a file: creates the table when
    // missing. (Closing the one before marked a trash in memory as
    // unwritten, so it goes whole into the file opened.)
    void connectionOpened();
    // Takes the trash from the file, as it is there.
    void read();
    // Writes a changed trash whole, inside the caller's transaction; true
    // when there was nothing to write. Whether it took effect is known only
    // once the caller commits: a failed commit calls markUnwritten().
    bool writeChanges(QString *error = nullptr);
    void markUnwritten();
    // Forgets the trash: the connection is closed for good.
    void forget();
    // Makes `notes` the trash, to be written whole.
    void replace(const QList<TrashedNote> &notes);

    // The deleted notes, in the order they were deleted.
    QList<TrashedNote> notes();
    void add(const TrashedNote &note);
    // Removes each of `notes` that is in the trash.
    void remove(const QList<TrashedNote> &notes);
    // Removes the notes kept their 30 days at `now`; returns how many.
    int removeExpired(const QDateTime &now);
    // Removes the notes stored exactly as one of `live`: their deletion never
    // reached the notes (the program ended first), so they are not deleted.
    // Returns how many.
    int removeLiveCopies(const QList<NoteRecord> &live);
    // Writes a change at once in a transaction of its own; false with
    // `error` set when the file refuses it (the change then waits for the
    // next save).
    bool commit(QString *error);

private:
    QList<TrashedNote> &known();
    bool tableExists() const;

    const QSqlDatabase &m_connection;
    // The trash when read or set; nothing is written while it is unknown.
    std::optional<QList<TrashedNote>> m_notes;
    bool m_unwritten = false;
    // Notes were deleted while no file was open: the file's own trash joins
    // them once one opens.
    bool m_partial = false;
};
