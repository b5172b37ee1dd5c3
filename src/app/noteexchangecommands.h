#pragma once

#include "exchange/noteimport.h"
#include "store/noterecord.h"

#include <QList>
#include <QObject>

#include <functional>

class MainWindow;
class QAction;
class QMenu;

// The control panel's export and import commands: "Export Notes…" writes the
// notes to a folder, the two import commands add the notes of an exported
// folder or of another note file as new notes. Long runs show a progress
// window that can cancel them.
class NoteExchangeCommands : public QObject
{
    Q_OBJECT
public:
    // Adds the commands to `menu`; `window` takes and receives the notes.
    NoteExchangeCommands(MainWindow *window, QMenu *menu);

    // The notes "Export Notes…" writes, and when a search chose them, how
    // many notes there are in all (the result says "4 of 17 notes").
    struct ExportSelection
    {
        // Implicit: a plain list of notes is a selection no search made.
        ExportSelection(QList<NoteRecord> chosen = {}, int all = 0)
            : notes(std::move(chosen)), searchedOf(all)
        {
        }

        QList<NoteRecord> notes;
        int searchedOf = 0; // all notes when a search chose `notes`, else 0
    };

    // Every note of the window unless set (the control panel passes the notes
    // its list shows).
    void setExportSource(std::function<ExportSelection()> source);

    void retranslate();

    // What an import did, as its result says it: "3 added, 2 already present".
    static QString importedText(int added, int alreadyPresent);

    QAction *exportAction() const { return m_exportAction; }
    QAction *importFolderAction() const { return m_importFolderAction; }
    QAction *importFileAction() const { return m_importFileAction; }

    // Adds the notes of `path` as new notes, as the two import commands do
    // after their choosers: an exported folder when `path` is a folder, else
    // another note file. Shows the progress window and tells the user the
    // outcome through UserPrompt. True when the source could be read and
    // the import was not cancelled (even when every note was already there).
    bool importPath(const QString &path);

public slots:
    void exportNotes();
    void importFromFolder();
    void importFromFile();

private:
    // Adds what an import read, or tells why it read nothing.
    void addImported(NoteImport::Result result);

    MainWindow *m_window;
    bool m_importing = false;
    std::function<ExportSelection()> m_exportSource;
    QAction *m_exportAction;
    QAction *m_importFolderAction;
    QAction *m_importFileAction;
};
