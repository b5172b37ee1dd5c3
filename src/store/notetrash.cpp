#include "store/notetrash.h"

#include "base/tracing.h"
#include "store/noteschema.h"
#include "store/sqlstatement.h"

#include <QSqlQuery>

#include <algorithm>

using namespace RecordCodec;

const QString NoteTrash::kTable = QStringLiteral("stickies_trash");
// The columns of `stickies` with the same types, so a row reads the same in
// both tables, and the moment of deletion.
const QString NoteTrash::kCreateStatement = QStringLiteral(
    "CREATE TABLE stickies_trash (  id           NUMBER(10),  visible      VARCHAR2(3),  colorRGB "
    "    VARCHAR2(7),  colorName    VARCHAR2(50),  creationDate NUMBER(20),  "
    "originalReminderDate NUMBER(20),  reminderDate NUMBER(20),  periodicMask NUMBER(1000),  "
    "locked       VARCHAR2(3),  alwaysontop  VARCHAR2(3),  message      VARCHAR2(10000),  xPos   "
    "      NUMBER(5),  yPos         NUMBER(5),  width        NUMBER(5),  height       NUMBER(5),  "
    "taskbarentry VARCHAR2(3),  deletionDate NUMBER(20))");

namespace {

const QStringList kExtraColumns = {QStringLiteral("deletionDate")};

using SqlStatement::run;

} // namespace

bool NoteTrash::hasExpired(const QDateTime &deleted, const QDateTime &now)
{
    return deleted.secsTo(now) >= kKeptSeconds;
}

QList<TrashedNote> NoteTrash::newestFirst(const QList<TrashedNote> &notes)
{
    // Reversed first, so of two deletions in the same second the later one
    // leads.
    QList<TrashedNote> sorted(notes.crbegin(), notes.crend());
    std::stable_sort(sorted.begin(), sorted.end(), [](const TrashedNote &a, const TrashedNote &b) {
        return a.deleted > b.deleted;
    });
    return sorted;
}

int NoteTrash::restoredId(int id, const QList<int> &idsInUse)
{
    if (!idsInUse.contains(id))
        return id;
    return *std::max_element(idsInUse.cbegin(), idsInUse.cend()) + 1;
}

void NoteTrash::connectionOpened()
{
    if (!tableExists()) {
        QSqlQuery query(m_connection);
        run(query, nullptr, kCreateStatement); // a file that refuses it reads as an empty trash
    }
    if (m_partial) {
        const QList<TrashedNote> deletedMeanwhile = *m_notes;
        read();
        m_notes->append(deletedMeanwhile);
        m_unwritten = true;
    }
}

void NoteTrash::read()
{
    QList<TrashedNote> notes;
    if (tableExists()) {
        QSqlQuery query(m_connection);
        query.setForwardOnly(true);
        if (run(query, nullptr,
                QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                    .arg(NoteSchema::columnList(kExtraColumns), kTable))) {
            while (query.next())
                notes.append({decodeRecord(query),
                              QDateTime::fromSecsSinceEpoch(query.value(16).toLongLong())});
        }
    }
    qCDebug(lcStore) << "NoteTrash::read()" << notes.size() << "deleted notes";
    m_notes = notes;
    m_unwritten = false;
    m_partial = false;
}

bool NoteTrash::writeChanges(QString *error)
{
    if (!m_notes || !m_unwritten || m_partial)
        return true;
    QSqlQuery query(m_connection);
    if (!tableExists() && !run(query, error, kCreateStatement))
        return false;
    if (!run(query, error, QStringLiteral("DELETE FROM ") + kTable))
        return false;
    if (!SqlStatement::prepare(query, NoteSchema::insert(kTable, kExtraColumns), error))
        return false;
    for (const TrashedNote &note : std::as_const(*m_notes)) {
        bindRecord(query, note.record);
        query.bindValue(16, note.deleted.toSecsSinceEpoch());
        if (!run(query, error))
            return false;
    }
    m_unwritten = false;
    return true;
}

void NoteTrash::markUnwritten()
{
    if (m_notes)
        m_unwritten = true;
}

void NoteTrash::forget()
{
    m_notes.reset();
    m_unwritten = false;
    m_partial = false;
}

void NoteTrash::replace(const QList<TrashedNote> &notes)
{
    m_notes = notes;
    m_unwritten = true;
}

QList<TrashedNote> NoteTrash::notes()
{
    return known();
}

void NoteTrash::add(const TrashedNote &note)
{
    known().append(note);
    m_unwritten = true;
}

void NoteTrash::remove(const QList<TrashedNote> &notes)
{
    QList<TrashedNote> &kept = known();
    for (const TrashedNote &note : notes) {
        if (kept.removeOne(note))
            m_unwritten = true;
    }
}

int NoteTrash::removeExpired(const QDateTime &now)
{
    const int removed = int(known().removeIf(
        [&now](const TrashedNote &note) { return hasExpired(note.deleted, now); }));
    if (removed > 0)
        m_unwritten = true;
    return removed;
}

int NoteTrash::removeLiveCopies(const QList<NoteRecord> &live)
{
    const int removed = int(
        known().removeIf([&live](const TrashedNote &note) { return live.contains(note.record); }));
    if (removed > 0)
        m_unwritten = true;
    return removed;
}

bool NoteTrash::commit(QString *error)
{
    if (!m_notes || !m_unwritten || m_partial)
        return true;
    QSqlQuery query(m_connection);
    if (!run(query, error, QStringLiteral("BEGIN")))
        return false;
    if (writeChanges(error) && run(query, error, QStringLiteral("COMMIT")))
        return true;
    // After a full disk SQLite has ended the transaction itself; the
    // rollback then has nothing to undo.
    QSqlQuery rollback(m_connection);
    rollback.exec(QStringLiteral("ROLLBACK"));
    markUnwritten();
    return false;
}

QList<TrashedNote> &NoteTrash::known()
{
    if (!m_notes && m_connection.isOpen()) {
        read();
    } else if (!m_notes) {
        m_notes.emplace();
        m_partial = true;
    }
    return *m_notes;
}

bool NoteTrash::tableExists() const
{
    QSqlQuery query(m_connection);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND "
                                 "name = ?"));
    query.bindValue(0, kTable);
    return query.exec() && query.next() && query.value(0).toInt() > 0;
}
