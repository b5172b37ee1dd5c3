#pragma once

#include "sync/syncnote.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QRect>
#include <QString>

#include <optional>

// What this installation knows of one synced note.
struct SyncEntry
{
    QString uuid;
    // The local note holding it; 0 once it is deleted.
    int noteId = 0;
    // The version the local note (or its tombstone) is, with its origin.
    SyncVersion version;
    QString machine;
    QDateTime changed;
    QDateTime deleted;
    // Of the note's values as last synced, to notice a local change; and of
    // them at the fitted place, to know the note again when it comes back
    // from the trash.
    QByteArray fingerprint;
    QByteArray fittedFingerprint;
    // The place the synced version gives the note, and where this machine
    // put it after fitting it to its screens: a note shown at its fitted
    // place has not been moved here.
    QRect syncedPlace;
    QRect fittedPlace;

    bool isDeleted() const { return deleted.isValid(); }
    bool operator==(const SyncEntry &other) const = default;
};

// What this installation knows of the synced notes: its own random id, the
// highest counter it has seen, and an entry per note. Kept in the note file
// as rows of text, written with the notes.
struct SyncState
{
    QString installation;
    quint64 counter = 0;
    QHash<QString, SyncEntry> entries;

    // A new installation with a random id.
    static SyncState fresh();
    // The entry of the local note `noteId`, or nullptr.
    const SyncEntry *entryOfNote(int noteId) const;

    // The rows of the note file and back; nothing from rows that are not
    // a state (a fresh state is made instead).
    QHash<QString, QString> toRows() const;
    static std::optional<SyncState> fromRows(const QHash<QString, QString> &rows);

    bool operator==(const SyncState &other) const = default;
};
