#include "model/note.h"

NoteRecord Note::record() const
{
    NoteRecord record;
    record.id = id;
    record.visible = visible;
    record.colorRGB = colorRGB;
    record.colorName = colorName;
    record.creationDate = creationDate;
    record.originalReminderDate = originalReminderDate;
    record.reminderDate = reminderDate;
    // Never NULL in the table: a note without a pattern stores an empty one.
    record.periodicMask = periodicMask.isNull() ? QStringLiteral("") : periodicMask;
    record.locked = locked;
    record.alwaysOnTop = alwaysOnTop;
    record.message = message;
    record.x = place.x();
    record.y = place.y();
    record.width = place.width();
    record.height = place.height();
    record.taskbarEntry = taskbarEntry;
    return record;
}

Note Note::fromRecord(const NoteRecord &record)
{
    Note note;
    note.id = record.id;
    note.visible = record.visible;
    note.colorRGB = record.colorRGB;
    note.colorName = record.colorName;
    note.creationDate = record.creationDate;
    note.originalReminderDate = record.originalReminderDate;
    note.reminderDate = record.reminderDate;
    note.periodicMask = record.periodicMask;
    note.locked = record.locked;
    note.alwaysOnTop = record.alwaysOnTop;
    note.taskbarEntry = record.taskbarEntry;
    note.place = QRect(record.x, record.y, record.width, record.height);
    note.message = record.message;
    return note;
}

NoteFields Note::differences(const Note &other) const
{
    NoteFields fields;
    fields.setFlag(NoteField::Text, message != other.message);
    fields.setFlag(NoteField::Color, colorRGB != other.colorRGB || colorName != other.colorName);
    fields.setFlag(NoteField::Reminder, originalReminderDate != other.originalReminderDate ||
                                            reminderDate != other.reminderDate ||
                                            periodicMask != other.periodicMask);
    fields.setFlag(NoteField::Locked, locked != other.locked);
    fields.setFlag(NoteField::OnTop, alwaysOnTop != other.alwaysOnTop);
    fields.setFlag(NoteField::TaskBar, taskbarEntry != other.taskbarEntry);
    fields.setFlag(NoteField::Visible, visible != other.visible);
    fields.setFlag(NoteField::Place, place != other.place);
    fields.setFlag(NoteField::Created, creationDate != other.creationDate);
    return fields;
}

void Note::take(const Note &other, NoteFields fields)
{
    if (fields & NoteField::Text)
        message = other.message;
    if (fields & NoteField::Color) {
        colorRGB = other.colorRGB;
        colorName = other.colorName;
    }
    if (fields & NoteField::Reminder) {
        originalReminderDate = other.originalReminderDate;
        reminderDate = other.reminderDate;
        periodicMask = other.periodicMask;
    }
    if (fields & NoteField::Locked)
        locked = other.locked;
    if (fields & NoteField::OnTop)
        alwaysOnTop = other.alwaysOnTop;
    if (fields & NoteField::TaskBar)
        taskbarEntry = other.taskbarEntry;
    if (fields & NoteField::Visible)
        visible = other.visible;
    if (fields & NoteField::Place)
        place = other.place;
    if (fields & NoteField::Created)
        creationDate = other.creationDate;
}
