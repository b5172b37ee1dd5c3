#pragma once

#include "store/notedatabase.h"

#include <QList>
#include <QMainWindow>
#include <QPixmap>

#include <memory>

class QAction;
class QMenu;
class QPushButton;
class QScrollArea;
class QTextDocument;
class ReminderThread;
class StickyWidget;
class TableWidget;
class TrayIcon;

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

    // 12x12 swatch of `rgb` in a one-pixel black frame.
    static QPixmap colorIcon(const QString &rgb);

    // The notes that "Print Stickies" puts on paper, each after its heading,
    // appended to `document` in list order: every note when `allNotes`,
    // otherwise only the ones shown on the desktop.
    static void appendPrintedNotes(QTextDocument &document, const QList<StickyWidget *> &notes,
                                   bool allNotes);

    TrayIcon *trayIcon() const { return m_trayIcon; }

public slots:
    void changeLanguage();
    void saveStickies();
    void stickyDeleted(StickyWidget *deletedSticky);
    void showControlPanel();
    void createStickyDefault();

private slots:
    void createStickyOne();
    void createStickyTwo();
    void createStickyThree();
    void createStickyFour();
    void createStickyFive();
    void stickiesShowAll();
    void stickiesToFront();
    void displayAbout();
    void print();
    void closeControlPanel();
    void openOptions();
    void updateTableWidget();
    void aboutToQuit();

protected:
    void showEvent(QShowEvent *event) override;
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
    void setupTrayMenu();
    void setupCentralWidget();
    void loadExistingStickies();
    void assimilateSticky(StickyWidget *sticky);
    void createSticky(const QString &rgb, const QString &name);
    // Tests reach the note operations through a subclass.
    friend class MainWindowTestAccess;

    QString m_dataDirectory;
    QString m_databaseFile;
    NoteDatabase m_database;
    ReminderThread *m_reminderThread = nullptr;
    std::unique_ptr<QMenu> m_trayMenu; // a pop-up has no parent window
    TrayIcon *m_trayIcon = nullptr;
    QAction *m_controlPanelAction = nullptr;
    QAction *m_defaultStickyAction = nullptr;
    QAction *m_stickyOneAction = nullptr;
    QAction *m_stickyTwoAction = nullptr;
    QAction *m_stickyThreeAction = nullptr;
    QAction *m_stickyFourAction = nullptr;
    QAction *m_stickyFiveAction = nullptr;
    QAction *m_activateAllAction = nullptr;
    QAction *m_raiseVisibleAction = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    TableWidget *m_tableWidget = nullptr;
    QPushButton *m_helpButton = nullptr;
    QPushButton *m_optionsButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    bool m_tableOutdated = true; // the list is built at the panel's next show
    int m_cascadeIndex = 0;
    bool m_startupFailed = false;
    bool m_loadingNotes = false;
};

// Every note window, in load and creation order.
extern QList<StickyWidget *> stickyList;
// The single main window; set by the entry point once it is constructed.
extern MainWindow *mainWindow;
