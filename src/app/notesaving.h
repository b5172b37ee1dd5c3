#pragma once

#include "store/notewriter.h"

#include <QObject>
#include <QString>

class NoteBook;
class QWidget;

// Saving the notes of the book and telling the user how it went: a save
// that starts or stops failing, what happened to the note file (see
// NoteDatabase::Incident), and the last save on the way out, which writes
// the notes to a rescue file when the note file refuses them. A note added
// to the book is written at once, not with the next minute's save.
class NoteSaving : public QObject
{
    Q_OBJECT
public:
    NoteSaving(NoteBook &book, NoteWriter &writer, QWidget *window);

    void setFiles(const QString &dataDirectory, const QString &databaseFile);
    // While set (the notes are being loaded) nothing is saved.
    void setPaused(bool paused) { m_paused = paused; }

    // Saves every note and waits; true when they are saved.
    bool saveNow();
    // Hands every note to the writer thread and returns at once.
    void saveLater();
    // The last save on the way out; on failure a rescue copy.
    void saveAtExit();

    void reportSaveOutcome(const NoteWriter::Outcome &outcome);
    void reportIncidents(const QList<NoteDatabase::Incident> &incidents);

private:
    // The folders a rescue copy may go to: the user's own only.
    QStringList rescueFolders() const;

    NoteBook &m_book;
    NoteWriter &m_writer;
    QWidget *m_window;
    QString m_dataDirectory;
    QString m_databaseFile;
    bool m_paused = false;
    // The last save failed; the user has been told once.
    bool m_saveFailing = false;
};
