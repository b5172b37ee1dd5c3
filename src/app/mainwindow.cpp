#include "app/mainwindow.h"

#include "app/preferences.h"
#include "app/screenwatcher.h"
#include "app/settingsbootstrap.h"
#include "base/apppaths.h"
#include "base/tracing.h"
#include "notes/noteplacement.h"
#include "notes/notesettings.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "platform/username.h"
#include "reminders/reminderthread.h"
#include "widgets/userprompt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStyle>
#include <QStyleFactory>

QList<StickyWidget *> stickyList;
MainWindow *mainWindow = nullptr;

MainWindow::MainWindow(QWidget *parent, Qt::WindowFlags flags) : QMainWindow(parent, flags)
{
    qCDebug(lcApp) << "MainWindow::MainWindow( constructor ) - start ---------------";
    checkAlreadyRunning();
    setupStyle();
    if (!checkSetupAndOpenDatabase()) {
        m_startupFailed = true;
        return;
    }
    setupTrayMenu();
    setupCentralWidget();
    m_reminderThread = new ReminderThread;
    // The tick's save reaches this thread queued, ahead of the same tick's
    // reminder checks, so it never runs beside other work on the notes.
    connect(m_reminderThread, &ReminderThread::saveRequested, this,
            &MainWindow::saveStickiesInBackground);
    connect(&m_writer, &NoteWriter::saved, this, &MainWindow::reportSaveOutcome);
    m_reminderThread->start(QThread::InheritPriority);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::aboutToQuit);
    loadExistingStickies();
    // A note left on a monitor that is unplugged comes back onto one in view.
    new ScreenWatcher(
        [] {
            for (StickyWidget *sticky : std::as_const(stickyList))
                NotePlacement::keepOnScreen(sticky);
        },
        this);
    // The notes built their titles and texts a moment ago: the translation
    // below need not build them again.
    m_notesJustLoaded = true;
    changeLanguage();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::saveAtExit);
    qCDebug(lcApp) << "MainWindow::MainWindow( constructor ) - end ---------------";
    m_cascadeIndex = 0;
}

MainWindow::~MainWindow()
{
    delete std::exchange(m_reminderThread, nullptr); // stops and waits for it first
    // Notes are top-level windows without a parent; they end with the window
    // that owns them.
    qDeleteAll(std::exchange(stickyList, {}));
}

void MainWindow::checkAlreadyRunning()
{
    // A second instance of the same user is not detected yet.
}

void MainWindow::setupStyle()
{
    QStyle *style = QStyleFactory::create(QStringLiteral("plastique"));
    if (!style)
        style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (style)
        QApplication::setStyle(style);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    QPalette palette;
    palette.setColor(QPalette::All, QPalette::Window, QColor(QStringLiteral("#F5F5F5")));
    palette.setColor(QPalette::All, QPalette::Base, QColor(QStringLiteral("#FFFFFF")));
    palette.setColor(QPalette::All, QPalette::AlternateBase, QColor(QStringLiteral("green")));
    palette.setColor(QPalette::All, QPalette::Button, palette.color(QPalette::Window).darker(105));
    QApplication::setPalette(palette);
}

bool MainWindow::checkSetupAndOpenDatabase()
{
    qCDebug(lcApp) << "MainWindow::checkSetupAndOpenDatabase() --------------------";
    SettingsBootstrap::runFirstRunIfNeeded();
    switch (SettingsBootstrap::migrateVersion()) {
    case SettingsBootstrap::Migration::Current:
        break;
    case SettingsBootstrap::Migration::Migrated:
        UserPrompt::warning(
            this, tr("Updating Notarella"),
            tr("<p>A new version of Notarella has been installed.</p><p>Some of your software "
               "settings will be changed.  Please visit the Options Window to modify them.</p>"),
            QMessageBox::Ok, QMessageBox::Ok);
        break;
    case SettingsBootstrap::Migration::NotWritable:
        UserPrompt::warning(this, tr("Notarella Settings"),
                            tr("<p>Notarella cannot write its settings file:</p><p>%1</p><p>It "
                               "runs with the settings it finds; changes to them will not be "
                               "kept.</p>")
                                .arg(NativeSettings::fileName().toHtmlEscaped()),
                            QMessageBox::Ok, QMessageBox::Ok);
        break;
    }

    m_dataDirectory = AppPaths::applicationDirectory() + QStringLiteral("/.NotarellaData/");
    m_databaseFile = m_dataDirectory + Platform::currentUserName();
    return m_writer.open(m_dataDirectory, m_databaseFile) == NoteDatabase::OpenResult::Opened;
}

void MainWindow::setupTrayMenu()
{
    // The tray icon and its menu are not built yet.
}

void MainWindow::setupCentralWidget()
{
    // The control panel's note list and buttons are not built yet.
}

void MainWindow::changeLanguage()
{
    if (!std::exchange(m_notesJustLoaded, false)) {
        const NoteSettings settings = NoteSettings::read(); // once for all notes
        for (StickyWidget *sticky : std::as_const(stickyList))
            sticky->retranslate(settings);
    }
    updateTableWidget();
}

void MainWindow::updateTableWidget()
{
    // The control panel's note list is not built yet; callers already ask
    // for it wherever the set of notes or their visibility changes.
}

void MainWindow::createStickyDefault()
{
    createSticky(Preferences::userString(Preferences::Names::DefaultRGB),
                 Preferences::userString(Preferences::Names::DefaultColor));
}

void MainWindow::showControlPanel()
{
    show();
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window manager's close (title-bar button, Alt+F4) means leaving the
    // program; it is confirmed first and never just closes the window.
    event->ignore();
    if (event->spontaneous())
        confirmExit();
}

void MainWindow::confirmExit()
{
    const auto answer = UserPrompt::warning(
        this, tr("Warning: Notarella Exiting"),
        tr("<p>If you exit Notarella you will not be able to create new stickies or receive any "
           "pending alerts until you restart the software!</p><p>It is recommended that you use "
           "the <i>Close Button</i> instead.</p><p><b>Are you sure that you want to exit "
           "Notarella?</b></p>"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        saveStickies();
        QCoreApplication::exit(0);
    }
}

void MainWindow::aboutToQuit()
{
    qCDebug(lcApp) << "MainWindow::aboutToQuit() - start";
    if (m_reminderThread) {
        m_reminderThread->requestStop();
        m_reminderThread->wait();
        qCDebug(lcApp) << "ReminderThread has quit?" << m_reminderThread->isFinished();
        delete std::exchange(m_reminderThread, nullptr);
    }
    qCDebug(lcApp) << "MainWindow::aboutToQuit() - end";
}

QPixmap MainWindow::colorIcon(const QString &rgb)
{
    const QByteArray colourLine = QStringLiteral("#  c %1").arg(rgb).toLatin1();
    const char *xpm[] = {"12 12 3 1",    "   c None",    ".  c #000000", colourLine.constData(),
                         "............", ".##########.", ".##########.", ".##########.",
                         ".##########.", ".##########.", ".##########.", ".##########.",
                         ".##########.", ".##########.", ".##########.", "............"};
    return QPixmap(xpm);
}
