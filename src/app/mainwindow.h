#pragma once

#include "model/notebook.h"
#include "notes/notevisibilitytoggle.h"
#include "notes/stickylist.h"
#include "store/notewriter.h"
#include "widgets/noteprinting.h"

#include <QDate>
#include <QList>
#include <QMainWindow>

#include <memory>

class BackupCommands;
class GlobalKeyCommand;
class NoteWindows;
class NoteListArea;
class NoteSaving;
class TrashCommands;
class NoteSearchBar;
class QAction;
class QMenu;
class QPushButton;
class QScrollArea;
struct NoteSettings;
class ReminderThread;
class StickyWidget;
class SyncService;
struct SyncLocalChange;
class TableWidget;
class TrayIcon;
class TrayMenu;

// The program's single main window: it owns the note database, every note,
// the tray icon and the reminder ticker, and is the control panel. It starts
// hidden; the program lives on in the tray.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~MainWindow() override;

    // True when start-up met a fatal failure (no data directory or no
    // database); the program must end without showing anything.
    bool startupFailed() const { return m_startupFailed; }

    QString dataDirectory() const { return m_dataDirectory; }
    QString databaseFile() const { return m_databaseFile; }
    // Returns once every save handed to the writer thread is written.
    void waitForPendingSaves() { m_writer.waitForSaves(); }

    // The warning of a start refused because another copy runs.
    static QString alreadyRunningText();

    // The notes that "Print Stickies" puts on paper, in list order: every
    // note when `allNotes`, otherwise only the ones shown on the desktop.
    static QList<NotePrinting::Note> printedNotes(const QList<StickyWidget *> &notes,
                                                  bool allNotes);

    TrayIcon *trayIcon() const { return m_trayIcon; }
    SyncService *syncService() const { return m_sync; }

    // Every note; the windows, the list, saving and sync observe it.
    NoteBook &noteBook() { return m_book; }
    const NoteBook &noteBook() const { return m_book; }
    // The window of note `id`, or null.
    StickyWidget *windowOf(int id) const;

    // The control panel's "&Notes" menu, made at its first use.
    QMenu *notesMenu();
    // Every note as the next save stores it, in list order.
    QList<NoteRecord> noteRecords() const { return collectRecords(); }
    // Adds `records` as new notes with ids after the largest one, in order,
    // shows the ones stored as shown, and saves every note.
    void addNotes(QList<NoteRecord> records);
    // Keeps the notes in step through `folder` from now on (empty: no longer)
    // and remembers it in the settings.
    void setSyncFolder(const QString &folder);

signals:
    // The user chose the folder the notes are kept in step through; empty
    // when sync was turned off.
    void syncFolderChosen(const QString &folder);
    void syncStateTextChanged(const QString &text);

public slots:
    void changeLanguage();
    // Saves every note and returns once they are written.
    void saveStickies();
    // Hands every note to the writer thread and returns at once: the
    // once-a-minute save, which must not hold up the GUI.
    void saveStickiesInBackground();
    void stickyDeleted(StickyWidget *deletedSticky);
    void showControlPanel();
    void createStickyDefault();
    // A note in the default colour holding `text` (plain text, may be empty).
    void createStickyWithText(const QString &text);
    // What the options window says of keeping the notes in step.
    void setSyncStateText(const QString &text);
    // Hides every shown note; the next call shows those notes again.
    void toggleNotes();
    // A note in the default colour holding the text selected on the screen,
    // or else the clipboard's text; empty when both are.
    void createStickyFromSelection();

private slots:
    void createStickyOne();
    void createStickyTwo();
    void createStickyThree();
    void createStickyFour();
    void createStickyFive();
    void stickiesShowAll();
    void stickiesToFront();
    // The minute's reminder check of every note.
    void checkReminders();
    void displayAbout();
    void print();
    void closeControlPanel();
    void openOptions();
    void updateTableWidget();
    // Narrows the note list to the notes matching the search field.
    void applyNoteFilter();
    void aboutToQuit();
    // The last save on the way out; when the note file refuses it, the notes
    // go to a rescue file, so no edit ends with the process.
    void saveAtExit();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Asks whether to leave the program; yes saves every note and ends it.
    void confirmExit();
    // True when another copy runs for this user: the user was told, and this
    // one must end at once without touching settings or notes.
    bool checkAlreadyRunning();
    // Without a tray host the control panel takes the icon's place.
    void showPanelWithoutTray();
    void setupStyle();
    bool checkSetupAndOpenDatabase();
    // Tells the user why the note file did not open and, when a copy of it
    // can be read, offers to start from the newest one. True when the notes
    // are open after all.
    bool recoverUnopenedNotes(NoteDatabase::OpenResult failure);
    void setupTrayMenu();
    void setupCentralWidget();
    void loadExistingStickies();
    // Tells the user once where the desktop keeps the program from putting
    // notes back in their places.
    void explainWindowPlaces();
    QList<NoteRecord> collectRecords() const;
    // Saves every note and tells the user when saving starts or stops
    // failing; true when the notes are saved.
    bool saveNotes();
    void reportSaveOutcome(const NoteWriter::Outcome &outcome);
    // A new note of colour `rgb` named `name`, holding the plain `text`,
    // shown and written to the note file at once.
    void createSticky(const QString &rgb, const QString &name, const QString &text = QString());
    // Closes every note and loads them again from the note file.
    void reloadNotes();
    // Keeping the notes in step with a sync folder.
    void setupSync();
    // The notes the sync folder gets: all but an untouched welcome note.
    QList<NoteRecord> syncedRecords() const;
    // The note file was replaced: the sync state is the one it holds.
    void syncStateReloaded();
    // Makes the changes a sync folder brought; each note as it is afterwards.
    QList<NoteRecord> applySyncChanges(const QList<SyncLocalChange> &changes);
    // Tests reach the note operations through a subclass.
    friend class MainWindowTestAccess;

    NoteBook m_book;
    NoteWindows *m_windows = nullptr;
    NoteSaving *m_saving = nullptr;
    // A sync cycle changed the notes or the sync state: one save at its end.
    bool m_syncSaveDue = false;
    // Set while the changes a sync folder brought are made.
    bool m_applyingSync = false;
    QString m_dataDirectory;
    QString m_databaseFile;
    NoteWriter m_writer;
    ReminderThread *m_reminderThread = nullptr;
    TrayMenu *m_trayMenu = nullptr;
    TrayIcon *m_trayIcon = nullptr;
    // In the tray menu and the control panel's Notes menu.
    QAction *m_exitAction = nullptr;
    NoteListArea *m_scrollArea = nullptr;
    NoteSearchBar *m_searchBar = nullptr;
    QPushButton *m_helpButton = nullptr;
    QPushButton *m_optionsButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    bool m_startupFailed = false;
    bool m_loadingNotes = false;
    // Set by the constructor between the load and the translation after it.
    bool m_notesJustLoaded = false;
    BackupCommands *m_backups = nullptr;
    TrashCommands *m_trash = nullptr;
    SyncService *m_sync = nullptr;
    QString m_syncStateText;
    NoteVisibilityToggle m_noteToggle;
    GlobalKeyCommand *m_globalKey = nullptr;
};

// The single main window; set by the entry point once it is constructed.
extern MainWindow *mainWindow;
