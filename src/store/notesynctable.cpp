#include "store/notesynctable.h"

#include "store/sqlstatement.h"

#include <QSqlQuery>

const QString NoteSyncTable::kTable = QStringLiteral("stickies_sync");
const QString NoteSyncTable::kCreateStatement =
    QStringLiteral("CREATE TABLE IF NOT EXISTS stickies_sync (key TEXT PRIMARY KEY, value TEXT)");

using SqlStatement::run;

void NoteSyncTable::connectionOpened()
{
    // The table is made by the first write: a file whose notes are never
    // synced keeps only the tables of the notes.
    m_written.reset();
}

void NoteSyncTable::read()
{
    QHash<QString, QString> rows;
    QSqlQuery query(m_connection);
    query.setForwardOnly(true);
    // No table yet reads as no state.
    if (m_connection.tables().contains(kTable) &&
        run(query, nullptr, QStringLiteral("SELECT key, value FROM stickies_sync"))) {
        while (query.next())
            rows.insert(query.value(0).toString(), query.value(1).toString());
    }
    m_rows = rows;
    m_written = rows;
}

void NoteSyncTable::set(const QHash<QString, QString> &rows)
{
    m_rows = rows;
}

bool NoteSyncTable::writeChanges(QString *error)
{
    if (!m_rows || (m_written && *m_written == *m_rows))
        return true;
    QSqlQuery query(m_connection);
    if (!run(query, error, kCreateStatement))
        return false;
    QSqlQuery remove(m_connection);
    if (!m_written) {
        if (!run(remove, error, QStringLiteral("DELETE FROM stickies_sync")))
            return false;
    } else {
        remove.prepare(QStringLiteral("DELETE FROM stickies_sync WHERE key = ?"));
        for (auto it = m_written->cbegin(); it != m_written->cend(); ++it) {
            if (m_rows->contains(it.key()))
                continue;
            remove.bindValue(0, it.key());
            if (!run(remove, error))
                return false;
        }
    }
    QSqlQuery insert(m_connection);
    insert.prepare(
        QStringLiteral("INSERT OR REPLACE INTO stickies_sync (key, value) VALUES (?, ?)"));
    for (auto it = m_rows->cbegin(); it != m_rows->cend(); ++it) {
        if (m_written && m_written->value(it.key()) == it.value() && m_written->contains(it.key()))
            continue;
        insert.bindValue(0, it.key());
        insert.bindValue(1, it.value());
        if (!run(insert, error))
            return false;
    }
    // Taken as written; a failed commit makes the content unknown again.
    m_written = m_rows;
    return true;
}

void NoteSyncTable::forget()
{
    m_rows.reset();
    m_written.reset();
}
