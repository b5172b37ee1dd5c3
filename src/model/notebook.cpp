#include "model/notebook.h"

#include <QScopedValueRollback>

#include <algorithm>

NoteBook::NoteBook(QObject *parent) : QObject(parent)
{
}

NoteBook::~NoteBook() = default;

void NoteBook::readPendingText(const Note &note) const
{
    if (m_pendingText.isEmpty() || !m_pendingText.remove(note.id))
        return;
    const TextReader reader = m_readers.value(note.id);
    if (reader)
        const_cast<Note &>(note).message = reader();
}

const Note &NoteBook::at(qsizetype index) const
{
    const Note &note = m_notes.at(index);
    readPendingText(note);
    return note;
}

const Note *NoteBook::find(int id) const
{
    const qsizetype index = indexOf(id);
    return index < 0 ? nullptr : &at(index);
}

QList<int> NoteBook::ids() const
{
    QList<int> ids;
    ids.reserve(m_notes.size());
    for (const Note &note : std::as_const(m_notes))
        ids.append(note.id);
    return ids;
}

QList<NoteRecord> NoteBook::records() const
{
    QList<NoteRecord> records;
    records.reserve(m_notes.size());
    for (qsizetype i = 0; i < m_notes.size(); ++i)
        records.append(at(i).record());
    return records;
}

int NoteBook::newId() const
{
    int largest = 0;
    for (const Note &note : std::as_const(m_notes))
        largest = std::max(largest, note.id);
    return largest + 1;
}

int NoteBook::freeId(int wanted) const
{
    return wanted > 0 && !m_index.contains(wanted) ? wanted : newId();
}

void NoteBook::reindexFrom(qsizetype index)
{
    for (qsizetype i = index; i < m_notes.size(); ++i)
        m_index.insert(m_notes.at(i).id, i);
}

void NoteBook::load(const QList<NoteRecord> &records)
{
    m_notes.clear();
    m_index.clear();
    m_readers.clear();
    m_pendingText.clear();
    m_notes.reserve(records.size());
    for (const NoteRecord &record : records) {
        // A file written by hand may repeat an id; the second one gets its own.
        Note note = Note::fromRecord(record);
        note.id = freeId(note.id);
        m_index.insert(note.id, m_notes.size());
        m_notes.append(std::move(note));
    }
    emit reset();
}

int NoteBook::add(Note note, bool keepId)
{
    note.id = keepId ? freeId(note.id) : newId();
    note.trashed = QDateTime();
    m_index.insert(note.id, m_notes.size());
    m_notes.append(std::move(note));
    const int id = m_notes.constLast().id;
    emit noteAdded(id);
    return id;
}

bool NoteBook::change(int id, const Note &values, NoteFields fields)
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return false;
    readPendingText(m_notes.at(index));
    Note &note = m_notes[index];
    const NoteFields changed = note.differences(values) & fields;
    if (!changed)
        return false;
    note.take(values, changed);
    if (changed & NoteField::Text)
        m_pendingText.remove(id);
    emit noteChanged(id, changed);
    return true;
}

std::optional<Note> NoteBook::remove(int id, const QDateTime &when)
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return std::nullopt;
    readPendingText(m_notes.at(index));
    Note note = m_notes.takeAt(index);
    note.trashed = when;
    m_index.remove(id);
    m_readers.remove(id);
    reindexFrom(index);
    emit noteRemoved(note);
    return note;
}

QList<int> NoteBook::apply(const QList<NoteChange> &changes, const QDateTime &when, Ids idRule)
{
    const QScopedValueRollback batch(m_applyingBatch, true);
    QList<int> ids;
    ids.reserve(changes.size());
    for (const NoteChange &item : changes) {
        switch (item.kind) {
        case NoteChange::Kind::Add:
            ids.append(add(item.note, idRule == Ids::KeepIds));
            break;
        case NoteChange::Kind::Update:
            change(item.note.id, item.note, item.fields);
            ids.append(indexOf(item.note.id) < 0 ? 0 : item.note.id);
            break;
        case NoteChange::Kind::Remove:
            remove(item.note.id, when);
            ids.append(0);
            break;
        }
    }
    return ids;
}

void NoteBook::setTextReader(int id, TextReader reader)
{
    if (reader)
        m_readers.insert(id, std::move(reader));
    else
        m_readers.remove(id);
}

void NoteBook::textEdited(int id)
{
    if (!m_index.contains(id) || !m_readers.contains(id))
        return;
    // Typing announces the first key only: the views and sync read the text
    // once, not at every key.
    const bool pending = m_pendingText.contains(id);
    m_pendingText.insert(id);
    if (!pending)
        emit noteChanged(id, NoteField::Text);
}

void NoteBook::announcePendingText(int id)
{
    if (m_pendingText.contains(id))
        emit noteChanged(id, NoteField::Text);
}
