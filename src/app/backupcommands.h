#pragma once

#include "store/notewriter.h"

#include <QDate>
#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;

// The copies of the note file: "Back up now…", the copy taken once a day
// and restoring one of them in place of the notes.
class BackupCommands : public QObject
{
    Q_OBJECT
public:
    // What the commands need of the window that owns the notes.
    struct Notes
    {
        // Saves every note, telling the user when that fails; true when saved.
        std::function<bool()> save;
        // Closes every note and loads them again from the note file.
        std::function<void()> reload;
        // How many notes there are now.
        std::function<int()> count;
        // True while the notes are being loaded: no copy is taken then.
        std::function<bool()> loading;
    };

    // How many daily copies of the note file are kept beside it.
    static constexpr int kDailyCopiesKept = 7;

    // Adds the commands to `menu`; `window` is the parent of what the user is
    // asked and told.
    BackupCommands(QWidget *window, NoteWriter &writer, const QString &databaseFile, QMenu *menu,
                   Notes notes);

    void retranslate();

public slots:
    void backUpNow();
    // Asks for the day's copy unless it has been asked for today.
    void takeDailyBackup();
    void restoreFromBackup();

private:
    void reportDailyBackup(const QString &target, const NoteWriter::Outcome &outcome);

    QWidget *m_window;
    NoteWriter &m_writer;
    const QString m_databaseFile;
    Notes m_notes;
    QAction *m_backUpAction = nullptr;
    QAction *m_restoreAction = nullptr;
    QDate m_dailyBackupDate; // the day whose copy has been asked for
};
