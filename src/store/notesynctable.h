#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// What the sync through a folder knows, kept in the note file in a table of
// its own, `stickies_sync` (a text value per key), so it is written in the
// same transaction as the notes it describes: after a crash the file never
// holds notes the sync state does not know, or the other way round. The
// table is made by the first write of a state, so the file of someone who
// never syncs has none. The tables of the notes are never touched here.
class NoteSyncTable
{
public:
    static const QString kTable;
    static const QString kCreateStatement;

    explicit NoteSyncTable(const QSqlDatabase &connection) : m_connection(connection) {}
    NoteSyncTable(const NoteSyncTable &) = delete;
    NoteSyncTable &operator=(const NoteSyncTable &) = delete;

    // After the connection has opened a file.
    void connectionOpened();
    // Takes the rows from the file.
    void read();
    QHash<QString, QString> rows() const { return m_rows.value_or(QHash<QString, QString>()); }
    // Makes `rows` the state, to be written with the next save.
    void set(const QHash<QString, QString> &rows);
    // Writes what changed since the last write, inside the caller's
    // transaction; true when there was nothing to write.
    bool writeChanges(QString *error = nullptr);
    // The file's content is no longer known: the next write is whole.
    void markUnwritten() { m_written.reset(); }
    void forget();

private:
    const QSqlDatabase &m_connection;
    std::optional<QHash<QString, QString>> m_rows;
    // What the file holds, when known.
    std::optional<QHash<QString, QString>> m_written;
};
