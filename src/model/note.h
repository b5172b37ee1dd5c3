#pragma once

#include "store/noterecord.h"

#include <QDateTime>
#include <QFlags>
#include <QRect>
#include <QString>

// What a change to a note touched; the views redraw only that.
enum class NoteField : unsigned
{
    Text = 1u << 0,
    Color = 1u << 1,
    Reminder = 1u << 2,
    Locked = 1u << 3,
    OnTop = 1u << 4,
    TaskBar = 1u << 5,
    Visible = 1u << 6,
    Place = 1u << 7,
    Created = 1u << 8,
};
Q_DECLARE_FLAGS(NoteFields, NoteField)
Q_DECLARE_OPERATORS_FOR_FLAGS(NoteFields)

// The values of one note, held once for the whole program: the stored
// fields and what the program keeps beside them. A note nobody looks at
// costs little more than its text, and the text is held once: the records
// handed to the writer share it, and the writer keeps them as the content
// of the file.
struct Note
{
    int id = 0;
    bool visible = false;
    QString colorRGB;
    QString colorName;
    QDateTime creationDate;
    QDateTime originalReminderDate;
    QDateTime reminderDate;
    QString periodicMask;
    bool locked = false;
    bool alwaysOnTop = false;
    bool taskbarEntry = true;
    // The place the program knows: where the note was put or last seen. A
    // desktop that reports no window positions leaves it as it was put.
    QRect place;
    // The note's HTML.
    QString message;
    // When the note went to the trash; null while it is not there.
    QDateTime trashed;

    // The stored row of the note, and a note from one.
    NoteRecord record() const;
    static Note fromRecord(const NoteRecord &record);

    // The fields in which `other` differs from this note.
    NoteFields differences(const Note &other) const;
    // Takes the values of `fields` from `other`.
    void take(const Note &other, NoteFields fields);

    bool operator==(const Note &other) const = default;
};
