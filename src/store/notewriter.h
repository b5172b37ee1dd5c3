#pragma once

#include "store/notedatabase.h"

#include <QObject>
#include <QThread>

// Runs the note database on a thread of its own, so a save costs the GUI
// thread only the hand-over of the collected records. The connection is made,
// used and closed on that thread alone; calls that need an answer wait for
// it, after every save handed over before them. Destroying the writer
// finishes every save handed over first.
class NoteWriter : public QObject
{
    Q_OBJECT
public:
    struct Outcome
    {
        bool saved = false;
        QString error;
        QList<NoteDatabase::Incident> incidents;
    };

    explicit NoteWriter(QObject *parent = nullptr);
    ~NoteWriter() override;

    NoteDatabase::OpenResult open(const QString &dataDirectory, const QString &databaseFile);
    // The stored notes; `incidents` gets what loading had to deal with. A
    // deleted note still found among them (the program ended before the
    // notes were saved) leaves the trash.
    QList<NoteRecord> load(QList<NoteDatabase::Incident> *incidents);
    // Saves and waits for the outcome.
    Outcome save(const QList<NoteRecord> &records);
    // Hands the records over and returns at once; saved() tells the outcome
    // in this object's thread.
    void saveLater(const QList<NoteRecord> &records);
    // Returns once every save handed over is written (or has failed).
    void waitForSaves();

    // Writes a consistent copy of the note file to `target` after every save
    // handed over before, and waits for the outcome.
    Outcome backUp(const QString &target);
    // Writes the day's copy to `target` unless it is there already, then
    // keeps only the newest `keep` daily copies; returns at once, and
    // backedUp() tells a failure.
    void backUpDailyLater(const QString &target, int keep);
    // Replaces the note file by the copy `backup` after keeping a copy of the
    // current file as `keepCurrentAs`, and opens it. On failure the current
    // file stays in use. Waits for the outcome.
    Outcome restore(const QString &backup, const QString &keepCurrentAs);

    // The connection, for inspection while no save runs.
    QSqlDatabase connection() const;

    // The deleted notes, in the order they were deleted.
    QList<TrashedNote> trashedNotes();
    // Puts `note` into the trash and writes the trash at once, and waits for
    // the outcome; the notes go with the next save, as any change. When the
    // write fails the note stays in the trash kept in memory and goes with the
    // next save.
    Outcome moveToTrash(const TrashedNote &note);
    // Takes `notes` out of the trash and saves `records`, which hold them
    // again, in one transaction.
    Outcome restoreFromTrash(const QList<TrashedNote> &notes, const QList<NoteRecord> &records);
    // Removes `notes` from the trash for good.
    Outcome eraseFromTrash(const QList<TrashedNote> &notes);
    // Removes the notes kept their 30 days at `now`; returns at once.
    void expireTrashLater(const QDateTime &now);

    // What the sync through a folder knows, as read with the notes.
    QHash<QString, QString> syncRows();
    // Makes `rows` the sync state; written with the next save, in its
    // transaction. Returns at once.
    void setSyncRows(const QHash<QString, QString> &rows);

signals:
    void saved(const NoteWriter::Outcome &outcome);
    void backedUp(const QString &target, const NoteWriter::Outcome &outcome);

private:
    template <typename Work> void runAndWait(Work work);
    Outcome saveNow(const QList<NoteRecord> &records);
    Outcome backUpNow(const QString &target);
    Outcome restoreNow(const QString &backup, const QString &keepCurrentAs);
    Outcome commitTrashNow();

    QThread m_thread;
    // Lives in m_thread; every use of m_database is queued to it.
    QObject *m_context = nullptr;
    NoteDatabase m_database;
};
