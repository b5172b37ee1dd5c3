#include "sync/syncstate.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace {

const QString kInstallationRow = QStringLiteral("installation");
const QString kCounterRow = QStringLiteral("counter");

QString placeText(const QRect &place)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(place.x())
        .arg(place.y())
        .arg(place.width())
        .arg(place.height());
}

std::optional<QRect> placeFrom(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '));
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts.at(i).toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

QString dateText(const QDateTime &date)
{
    return date.isValid() ? date.toUTC().toString(Qt::ISODate) : QString();
}

QDateTime dateFrom(const QString &text)
{
    return text.isEmpty() ? QDateTime() : QDateTime::fromString(text, Qt::ISODate);
}

QString entryText(const SyncEntry &entry)
{
    const QJsonObject object{
        {QStringLiteral("note"), entry.noteId},
        {QStringLiteral("version"), entry.version.toText()},
        {QStringLiteral("machine"), entry.machine},
        {QStringLiteral("changed"), dateText(entry.changed)},
        {QStringLiteral("deleted"), dateText(entry.deleted)},
        {QStringLiteral("fingerprint"), QString::fromLatin1(entry.fingerprint.toHex())},
        {QStringLiteral("fitted-fingerprint"),
         QString::fromLatin1(entry.fittedFingerprint.toHex())},
        {QStringLiteral("synced"), placeText(entry.syncedPlace)},
        {QStringLiteral("fitted"), placeText(entry.fittedPlace)},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::optional<SyncEntry> entryFrom(const QString &uuid, const QString &text)
{
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    const auto version = SyncVersion::fromText(object.value(QStringLiteral("version")).toString());
    const auto synced = placeFrom(object.value(QStringLiteral("synced")).toString());
    const auto fitted = placeFrom(object.value(QStringLiteral("fitted")).toString());
    if (!version || !synced || !fitted)
        return std::nullopt;
    SyncEntry entry;
    entry.uuid = uuid;
    entry.noteId = object.value(QStringLiteral("note")).toInt();
    entry.version = *version;
    entry.machine = object.value(QStringLiteral("machine")).toString();
    entry.changed = dateFrom(object.value(QStringLiteral("changed")).toString());
    entry.deleted = dateFrom(object.value(QStringLiteral("deleted")).toString());
    entry.fingerprint =
        QByteArray::fromHex(object.value(QStringLiteral("fingerprint")).toString().toLatin1());
    entry.fittedFingerprint = QByteArray::fromHex(
        object.value(QStringLiteral("fitted-fingerprint")).toString().toLatin1());
    entry.syncedPlace = *synced;
    entry.fittedPlace = *fitted;
    return entry;
}

} // namespace

SyncState SyncState::fresh()
{
    SyncState state;
    state.installation = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return state;
}

const SyncEntry *SyncState::entryOfNote(int noteId) const
{
    if (noteId == 0)
        return nullptr;
    for (const SyncEntry &entry : entries) {
        if (entry.noteId == noteId)
            return &entry;
    }
    return nullptr;
}

QHash<QString, QString> SyncState::toRows() const
{
    QHash<QString, QString> rows;
    rows.insert(kInstallationRow, installation);
    rows.insert(kCounterRow, QString::number(counter));
    for (const SyncEntry &entry : entries)
        rows.insert(entry.uuid, entryText(entry));
    return rows;
}

std::optional<SyncState> SyncState::fromRows(const QHash<QString, QString> &rows)
{
    SyncState state;
    state.installation = rows.value(kInstallationRow);
    bool ok = false;
    state.counter = rows.value(kCounterRow).toULongLong(&ok);
    if (QUuid::fromString(state.installation).isNull() || !ok)
        return std::nullopt;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        if (it.key() == kInstallationRow || it.key() == kCounterRow)
            continue;
        // A row that does not read is left out: the note is then synced
        // anew, as a new note, never lost.
        if (const auto entry = entryFrom(it.key(), it.value()))
            state.entries.insert(entry->uuid, *entry);
    }
    return state;
}
