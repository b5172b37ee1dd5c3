#pragma once

#include "store/notewriter.h"

#include <QList>
#include <QMainWindow>
#include <QPixmap>

class StickyWidget;
class ReminderThread;

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

    // 12x12 swatch of `rgb` in a one-pixel black frame.
    static QPixmap colorIcon(const QString &rgb);

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

private slots:
    void updateTableWidget();
    void aboutToQuit();
    // The last save on the way out; when the note file refuses it, the notes
    // go to a rescue file, so no edit ends with the process.
    void saveAtExit();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Asks whether to leave the program; yes saves every note and ends it.
    void confirmExit();
    void checkAlreadyRunning();
    void setupStyle();
    bool checkSetupAndOpenDatabase();
    void setupTrayMenu();
    void setupCentralWidget();
    void loadExistingStickies();
    QList<NoteRecord> collectRecords() const;
    // Saves every note and tells the user when saving starts or stops
    // failing; true when the notes are saved.
    bool saveNotes();
    void reportSaveOutcome(const NoteWriter::Outcome &outcome);
    void reportIncidents(const QList<NoteDatabase::Incident> &incidents);
    void assimilateSticky(StickyWidget *sticky);
    // Shows a loaded note without taking the focus from the one before.
    static void showWithoutActivating(StickyWidget *sticky);
    void createSticky(const QString &rgb, const QString &name);
    // Tests reach the note operations through a subclass.
    friend class MainWindowTestAccess;

    QString m_dataDirectory;
    QString m_databaseFile;
    NoteWriter m_writer;
    ReminderThread *m_reminderThread = nullptr;
    int m_cascadeIndex = 0;
    bool m_startupFailed = false;
    bool m_loadingNotes = false;
    // The last save failed; the user has been told once.
    bool m_saveFailing = false;
    // Set by the constructor between the load and the translation after it.
    bool m_notesJustLoaded = false;
};

// Every note window, in load and creation order.
extern QList<StickyWidget *> stickyList;
// The single main window; set by the entry point once it is constructed.
extern MainWindow *mainWindow;
