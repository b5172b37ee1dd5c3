#pragma once

#include "sync/syncnote.h"

#include <QString>

#include <optional>

// How two versions of one note become one. A version that holds the other
// wins outright. Of two versions made on two machines that had not seen each
// other's change, the newer (higher revision) stays the note, holding both
// versions' changes, and the other text becomes a note of its own marked
// "(changed on <machine> at <time>)": also when the newer change was a
// deletion, so a note changed on one machine while deleted on another comes
// back beside it. The outcome is the same on every machine, whatever the
// order of merging: a version's values are those of the change its revision
// names, and a copy's id and version are made from that change alone.
namespace SyncMerge {

struct Outcome
{
    enum class Kind
    {
        Same,
        KeepLocal,
        TakeIncoming,
        Merged
    };
    Kind kind = Kind::Same;
    SyncNote result;
    // The other text, as a new note.
    std::optional<SyncNote> copy;
};

Outcome merge(const SyncNote &local, const SyncNote &incoming);

// The id of the note that keeps the text the change `origin` gave note
// `uuid`.
QString copyUuid(const QString &uuid, const SyncVersion::Revision &origin);
// `html` with the line "(changed on <machine> at <time>)" added at its end.
QString markedText(const QString &html, const QString &machine, const QDateTime &changed);

} // namespace SyncMerge
