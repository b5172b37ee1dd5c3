#include "sync/syncmerge.h"

#include <QCoreApplication>
#include <QLocale>
#include <QUuid>

namespace SyncMerge {

namespace {

// The namespace of the ids of kept texts: a fixed random UUID.
const QUuid kCopyNamespace(QStringLiteral("6f9d3c1e-52a4-4c0b-9e57-2d1b8f40a7c3"));

constexpr int kCopyOffset = 20;

} // namespace

QString copyUuid(const QString &uuid, const SyncVersion::Revision &origin)
{
    return QUuid::createUuidV5(
               kCopyNamespace,
               QStringLiteral("%1/%2=%3").arg(uuid, origin.installation).arg(origin.counter))
        .toString(QUuid::WithoutBraces);
}

QString markedText(const QString &html, const QString &machine, const QDateTime &changed)
{
    const QString when = QLocale().toString(changed.toLocalTime(), QLocale::ShortFormat);
    const QString mark =
        QCoreApplication::translate("SyncMerge", "(changed on %1 at %2)").arg(machine, when);
    const QString paragraph = QStringLiteral("<p>") + mark.toHtmlEscaped() + QStringLiteral("</p>");
    const qsizetype end = html.lastIndexOf(QLatin1String("</body>"), -1, Qt::CaseInsensitive);
    if (end < 0)
        return html + paragraph;
    QString marked = html;
    marked.insert(end, paragraph);
    return marked;
}

Outcome merge(const SyncNote &local, const SyncNote &incoming)
{
    if (local.version == incoming.version)
        return {Outcome::Kind::Same, local, std::nullopt};
    if (local.version.holds(incoming.version))
        return {Outcome::Kind::KeepLocal, local, std::nullopt};
    if (incoming.version.holds(local.version))
        return {Outcome::Kind::TakeIncoming, incoming, std::nullopt};

    // The values of a version are always those of the change its revision
    // names, so merging in any order gives the same note everywhere.
    const bool incomingNewer = local.version.revision() < incoming.version.revision();
    const SyncNote &newer = incomingNewer ? incoming : local;
    const SyncNote &older = incomingNewer ? local : incoming;
    Outcome outcome;
    outcome.kind = Outcome::Kind::Merged;
    outcome.result = newer;
    outcome.result.version = local.version.mergedWith(incoming.version);
    // The other text lives on as a note of its own: also when the newer
    // change deleted the note.
    if (!older.isDeleted() && (newer.isDeleted() || older.record.message != newer.record.message)) {
        const SyncVersion::Revision origin = older.version.revision();
        SyncNote copy = older;
        copy.uuid = copyUuid(older.uuid, origin);
        copy.version = SyncVersion().changedBy(origin.installation, origin.counter);
        copy.record.id = 0;
        copy.record.message = markedText(older.record.message, older.machine, older.changed);
        // Beside the note, not hidden under it.
        copy.record.x += kCopyOffset;
        copy.record.y += kCopyOffset;
        outcome.copy = copy;
    }
    return outcome;
}

} // namespace SyncMerge
