#pragma once

#include "store/noterecord.h"
#include "sync/syncversion.h"

#include <QDateTime>
#include <QString>

// One version of a note as it travels between machines: the note's values
// (its local id is not part of it), which changes it holds, and where and
// when its latest change was made. A deleted note travels as a tombstone: the
// version of the deletion, without values.
struct SyncNote
{
    // The note's id on every machine: a UUID without braces.
    QString uuid;
    SyncVersion version;
    // The host name of the machine that made the latest change, and when by
    // its clock: only ever shown to people, never compared.
    QString machine;
    QDateTime changed;
    // Set for a tombstone: when the note was deleted.
    QDateTime deleted;
    NoteRecord record;

    bool isDeleted() const { return deleted.isValid(); }
    bool operator==(const SyncNote &other) const = default;
};
