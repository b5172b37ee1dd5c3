#pragma once

#include "store/notefileguard.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

class QSqlQuery;

// A note file this program did not just write itself: another person's file
// to import from, a daily copy to restore. It is opened read-only through a
// connection of its own (used by the thread that made the object), and it
// may have been made to harm: "stickies" could be a view that never ends, or
// the file could be huge. So the notes are taken only from a real table with
// the columns of a note, and every statement run through run() is stopped
// when it takes longer than a limit or when asked to stop.
class ForeignNoteFile
{
public:
    // 20 s: reading 100,000 notes takes well under a second.
    static constexpr int kDefaultStatementLimitMs = 20000;

    explicit ForeignNoteFile(const QString &path, int statementLimitMs = kDefaultStatementLimitMs);
    ~ForeignNoteFile();
    ForeignNoteFile(const ForeignNoteFile &) = delete;
    ForeignNoteFile &operator=(const ForeignNoteFile &) = delete;

    // Opens the file and checks that it holds notes; an empty text when it
    // does, else why not, in words for the user (never empty).
    QString open();

    // Also stops a running statement when it returns true (a Cancel button);
    // it is called often, from the thread running the statement.
    void setStopCheck(std::function<bool()> stop);

    // Runs `sql` on `query` (made on database()), with the time limit
    // counted from now; also while the rows are read with next(). False
    // when it failed or was stopped.
    bool run(QSqlQuery &query, const QString &sql);

    // Counts the time limit from now, for statements run by other code on
    // database().
    void restartClock();

    // Whether the last statement was stopped for its time or by the stop check.
    bool wasStopped() const { return m_guard && m_guard->wasStopped(); }

    // Whether a table "pictures" (hash, data) is there, a real table too.
    bool hasPictureTable();

    // The columns of a note, in table order, as the SELECT list of a query.
    static QString noteColumns();

    QSqlDatabase database() const { return m_database; }

private:
    // Whether `name` is a real table with every column of `columns`.
    bool isTableWith(const QString &name, const QStringList &columns, QString *why);

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_database;
    int m_limitMs;
    std::function<bool()> m_stop;
    // Stops the statements that run too long, once the file is open.
    std::optional<NoteFileGuard> m_guard;
};
