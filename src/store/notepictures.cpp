#include "store/notepictures.h"

#include "base/tracing.h"
#include "store/picturestore.h"
#include "store/sqlstatement.h"

#include <QSqlError>
#include <QSqlQuery>

const QString NotePictures::kCreateTableStatement =
    QStringLiteral("CREATE TABLE pictures (hash TEXT PRIMARY KEY, data BLOB)");

namespace {

QSet<QString> referencedBy(const QList<NoteRecord> &records)
{
    QSet<QString> hashes;
    for (const NoteRecord &record : records) {
        if (record.message.contains(PictureStore::kImageScheme))
            hashes.unite(PictureStore::referencedIn(record.message));
    }
    return hashes;
}

} // namespace

void NotePictures::forget()
{
    m_inFile.reset();
    m_tableExists = false;
    m_pruned = false;
}

bool NotePictures::knowWhatFileHolds(const QSqlDatabase &database, QString *error)
{
    if (m_inFile)
        return true;
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral(
            "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'pictures'")) ||
        !query.next())
        return SqlStatement::failed(query, error);
    // A file gets the table with its first picture.
    m_tableExists = query.value(0).toInt() > 0;
    QSet<QString> hashes;
    if (m_tableExists) {
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT hash FROM pictures")))
            return SqlStatement::failed(query, error);
        while (query.next())
            hashes.insert(query.value(0).toString());
    }
    m_inFile = hashes;
    return true;
}

bool NotePictures::write(const QSqlDatabase &database, const QList<NoteRecord> &records,
                         QString *error)
{
    const QSet<QString> wanted = referencedBy(records);
    if (wanted.isEmpty() && m_pruned)
        return true;
    if (!knowWhatFileHolds(database, error))
        return false;
    QSqlQuery insert(database);
    bool prepared = false;
    for (const QString &hash : wanted) {
        if (m_inFile->contains(hash))
            continue;
        const QByteArray bytes = PictureStore::instance().bytes(hash);
        if (bytes.isEmpty()) {
            // Only a note taken from elsewhere with a reference this process
            // never saw gets here; its text is kept as it is.
            qCDebug(lcStore) << "pictures: no picture known for" << hash;
            continue;
        }
        if (!m_tableExists) {
            QSqlQuery create(database);
            if (!create.exec(kCreateTableStatement))
                return SqlStatement::failed(create, error);
            m_tableExists = true;
        }
        if (!prepared && !insert.prepare(QStringLiteral(
                             "INSERT OR IGNORE INTO pictures (hash, data) VALUES (?, ?)")))
            return SqlStatement::failed(insert, error);
        prepared = true;
        insert.bindValue(0, hash);
        insert.bindValue(1, bytes);
        if (!insert.exec())
            return SqlStatement::failed(insert, error);
        m_inFile->insert(hash);
    }
    if (!m_pruned) {
        removeUnreferenced(database);
        m_pruned = true;
    }
    return true;
}

void NotePictures::removeUnreferenced(const QSqlDatabase &database)
{
    if (m_inFile->isEmpty())
        return;
    QSqlQuery tables(database);
    if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                    "substr(name, 1, 8) = 'stickies'")))
        return;
    QSet<QString> referenced;
    while (tables.next()) {
        QSqlQuery messages(database);
        messages.setForwardOnly(true);
        // A table of notes that cannot be read for its texts keeps every
        // picture: nothing is removed that a note might still show.
        if (!messages.exec(
                QStringLiteral("SELECT message FROM \"%1\"").arg(tables.value(0).toString()))) {
            qCDebug(lcStore) << "pictures: kept all," << tables.value(0).toString()
                             << "cannot be read:" << messages.lastError().text();
            return;
        }
        while (messages.next()) {
            const QString message = messages.value(0).toString();
            if (message.contains(PictureStore::kImageScheme))
                referenced.unite(PictureStore::referencedIn(message));
        }
        if (messages.lastError().isValid())
            return;
    }
    QSqlQuery remove(database);
    remove.prepare(QStringLiteral("DELETE FROM pictures WHERE hash = ?"));
    const QSet<QString> inFile = *m_inFile;
    for (const QString &hash : inFile) {
        if (referenced.contains(hash))
            continue;
        remove.bindValue(0, hash);
        if (!remove.exec()) {
            qCDebug(lcStore) << "pictures: not removed:" << remove.lastError().text();
            return;
        }
        m_inFile->remove(hash);
        qCDebug(lcStore) << "pictures: removed" << hash << ", no note refers to it";
    }
}

int NotePictures::load(const QSqlDatabase &database)
{
    forget();
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT hash, data FROM pictures")))
        return 0; // no table yet: the first save makes it
    QSet<QString> hashes;
    int read = 0;
    while (query.next()) {
        const QString hash = query.value(0).toString();
        hashes.insert(hash);
        if (PictureStore::instance().addStored(hash, query.value(1).toByteArray()))
            ++read;
        else
            qCWarning(lcStore) << "pictures: stored picture" << hash << "is no picture";
    }
    // After a read that stopped early the file's content is not known.
    if (!query.lastError().isValid()) {
        m_inFile = hashes;
        m_tableExists = true;
    } else
        qCWarning(lcStore) << "pictures: not all could be read:" << query.lastError().text();
    qCDebug(lcStore) << "pictures: loaded" << read;
    return read;
}

int NotePictures::loadReferenced(const QSqlDatabase &database, const QList<NoteRecord> &records)
{
    const QSet<QString> wanted = referencedBy(records);
    if (wanted.isEmpty())
        return 0;
    QSqlQuery query(database);
    if (!query.prepare(QStringLiteral("SELECT data FROM pictures WHERE hash = ?")))
        return 0;
    int found = 0;
    for (const QString &hash : wanted) {
        if (PictureStore::instance().contains(hash)) {
            ++found;
            continue;
        }
        query.bindValue(0, hash);
        if (query.exec() && query.next() &&
            PictureStore::instance().addWithHash(hash, query.value(0).toByteArray()))
            ++found;
    }
    return found;
}
