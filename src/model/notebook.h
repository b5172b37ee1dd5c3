#pragma once

#include "model/note.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>

#include <functional>
#include <optional>

// One change of a batch that came from elsewhere (the sync folder, an import).
struct NoteChange
{
    enum class Kind
    {
        Add,
        Update,
        Remove
    };
    Kind kind = Kind::Update;
    // Add: the new note (its id is chosen here); Update: the note's new
    // values for `fields`; Remove: the id of the note.
    Note note;
    NoteFields fields;
};

// Every note of the program, in load and creation order: the one place a
// note is changed. Windows, the note list, saving and sync observe its
// signals; none of them changes the set of notes by itself. New ids are
// chosen here and nowhere else.
//
// A note shown in a window keeps its text in the window's document while the
// user types; the window tells the book the text changed and lends it a
// reader, and the book takes the HTML from it only when someone reads it.
class NoteBook : public QObject
{
    Q_OBJECT
public:
    using TextReader = std::function<QString()>;

    explicit NoteBook(QObject *parent = nullptr);
    ~NoteBook() override;

    qsizetype size() const { return m_notes.size(); }
    bool isEmpty() const { return m_notes.isEmpty(); }
    // The note at `index` in list order, with its text as it is now.
    const Note &at(qsizetype index) const;
    // The note of `id`, or null.
    const Note *find(int id) const;
    // Its place in list order, or -1.
    qsizetype indexOf(int id) const { return m_index.value(id, -1); }
    QList<int> ids() const;
    // Every note as the next save stores it, in list order.
    QList<NoteRecord> records() const;

    // The id a new note gets: one more than the largest in use, at least 1.
    int newId() const;
    // `wanted` while it is free (and positive), otherwise a new one.
    int freeId(int wanted) const;

    // Replaces every note by `records` (a load): one reset() instead of a
    // signal per note.
    void load(const QList<NoteRecord> &records);
    // Adds `note` at the end with a new id (its own when `keepId` and free);
    // returns the id.
    int add(Note note, bool keepId = false);
    // Takes the values of `fields` from `values`; announces what really
    // changed. False when there is no such note or nothing changed.
    bool change(int id, const Note &values, NoteFields fields);
    // Takes the note out of the list, into the trash as of `when`; noteRemoved()
    // carries it as it was.
    std::optional<Note> remove(int id, const QDateTime &when);
    enum class Ids
    {
        New,
        // Added notes keep their own ids while free (a restore).
        KeepIds
    };
    static constexpr Ids KeepIds = Ids::KeepIds;
    // Makes the changes in order (a removal goes to the trash as of `when`);
    // returns the id of each note afterwards (0 for one removed or not
    // found). Signals sent meanwhile say isApplyingBatch().
    QList<int> apply(const QList<NoteChange> &changes, const QDateTime &when, Ids ids = Ids::New);
    bool isApplyingBatch() const { return m_applyingBatch; }

    // A window that holds the note's text in a document.
    void setTextReader(int id, TextReader reader);
    // The document of note `id` changed; its HTML is read when next needed.
    // Announced once until someone reads it.
    void textEdited(int id);
    // Announces the text of note `id` again when it changed since it was
    // last read (the user left the note).
    void announcePendingText(int id);

signals:
    void noteAdded(int id);
    void noteChanged(int id, NoteFields fields);
    // After the note left the list; `note` as it was, with its trash date.
    void noteRemoved(const Note &note);
    // Every note was replaced (a load).
    void reset();

private:
    void readPendingText(const Note &note) const;
    void reindexFrom(qsizetype index);

    mutable QList<Note> m_notes;
    QHash<int, qsizetype> m_index;
    QHash<int, TextReader> m_readers;
    mutable QSet<int> m_pendingText;
    bool m_applyingBatch = false;
};
