#pragma once

#include "store/noterecord.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

// What an import adds to the notes already there. A note counts as already
// present when its creation date (to the second) and its plain text equal
// those of a note there or of a note earlier in the import: plain text,
// because export and import rewrite picture paths and a database may hold
// any HTML for the same text. An added note whose top-left corner is taken
// moves down and right until it is free.
namespace ImportMerge {

// The distance a note moves, right and down, off a taken corner.
inline constexpr int kStep = 20;

// The note's text as compared: the plain text of its rich text, pictures
// kept as one object character each.
QString comparableText(const QString &message);

// For each of `incoming`, whether it is already present.
QList<bool> alreadyPresent(const QList<NoteRecord> &existing, const QList<NoteRecord> &incoming);

// Where `note` goes: its own top-left corner when no corner of `taken` is
// that, else the first free corner one or more steps down and right. A step
// that would take the note out of the screen area holding it continues at
// that area's top-left corner. `screens` are the available areas; with none
// there is no edge.
QPoint freeCorner(const QRect &note, const QList<QPoint> &taken, const QList<QRect> &screens);

struct Outcome
{
    QList<NoteRecord> added; // the new notes, in order, placed
    int alreadyPresent = 0;
};

// The notes of `incoming` not already present, each placed off the corners
// of `existing` and of the notes added before it.
Outcome merge(const QList<NoteRecord> &existing, const QList<NoteRecord> &incoming,
              const QList<QRect> &screens);

} // namespace ImportMerge
