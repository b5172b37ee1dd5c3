#include "app/mainwindow.h"

#include "app/backupcommands.h"
#include "app/globalkeycommand.h"
#include "app/noteexchangecommands.h"
#include "app/notesaving.h"
#include "app/screenwatcher.h"
#include "app/settingsbootstrap.h"
#include "app/singleinstanceguard.h"
#include "app/trashcommands.h"
#include "app/traymenu.h"
#include "base/apppaths.h"
#include "base/tracing.h"
#include "notes/noteplacement.h"
#include "notes/notesettings.h"
#include "notes/notewindows.h"
#include "notes/stickywidget.h"
#include "panel/notelistarea.h"
#include "panel/notesearchbar.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"
#include "platform/username.h"
#include "reminders/reminderthread.h"
#include "richtext/rzopendefaultbrowser.h"
#include "settings/preferences.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/colorpresets.h"
#include "widgets/optionswindow.h"
#include "widgets/printerpicture.h"
#include "widgets/rztogglemessagebox.h"
#include "widgets/trayicon.h"
#include "widgets/traypicture.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpacerItem>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QVBoxLayout>

MainWindow *mainWindow = nullptr;

MainWindow::MainWindow(QWidget *parent, Qt::WindowFlags flags) : QMainWindow(parent, flags)
{
    qCDebug(lcApp) << "MainWindow::MainWindow( constructor ) - start ---------------";
    if (checkAlreadyRunning()) {
        m_startupFailed = true;
        return;
    }
    setupStyle();
    if (!checkSetupAndOpenDatabase()) {
        m_startupFailed = true;
        return;
    }
    m_windows = new NoteWindows(m_book, this);
    m_saving = new NoteSaving(m_book, m_writer, this);
    m_saving->setFiles(m_dataDirectory, m_databaseFile);
    connect(m_windows, &NoteWindows::deleteRequested, this, &MainWindow::stickyDeleted);
    connect(m_windows, &NoteWindows::controlPanelRequest, this, &MainWindow::showControlPanel);
    setupTrayMenu();
    setupCentralWidget();
    m_reminderThread = new ReminderThread;
    // The tick's save reaches this thread queued, ahead of the same tick's
    // reminder checks, so it never runs beside other work on the notes.
    connect(m_reminderThread, &ReminderThread::saveRequested, this,
            &MainWindow::saveStickiesInBackground);
    connect(m_reminderThread, &ReminderThread::saveRequested, m_backups,
            &BackupCommands::takeDailyBackup);
    connect(m_reminderThread, &ReminderThread::saveRequested, m_trash, &TrashCommands::expire);
    // One connection for all notes: a connection per note would cost each
    // of thousands of hidden notes memory and a queued call every minute.
    connect(m_reminderThread, &ReminderThread::reminderCheck, this, &MainWindow::checkReminders);
    m_reminderThread->start(QThread::InheritPriority);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::aboutToQuit);
    loadExistingStickies();
    explainWindowPlaces();
    m_trash->expire();
    m_backups->takeDailyBackup();
    setupSync();
    // A note left on a monitor that is unplugged comes back onto one in view.
    new ScreenWatcher(
        [] {
            for (StickyWidget *sticky : std::as_const(stickyList))
                sticky->keepOnScreen();
        },
        this);
    // The notes built their titles and texts a moment ago: the translation
    // below need not build them again.
    m_notesJustLoaded = true;
    changeLanguage();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::saveAtExit);
    if (!TrayIcon::isTrayAvailable())
        showPanelWithoutTray();
    m_globalKey = new GlobalKeyCommand(this, [this]() -> StickyWidget * {
        createStickyDefault();
        return stickyList.isEmpty() ? nullptr : stickyList.constLast();
    });
    m_globalKey->apply();
    qCDebug(lcApp) << "MainWindow::MainWindow( constructor ) - end ---------------";
}

MainWindow::~MainWindow()
{
    delete std::exchange(m_reminderThread, nullptr); // stops and waits for it first
    // Notes are top-level windows without a parent; they end with the window
    // that owns them.
    delete std::exchange(m_windows, nullptr);
}

bool MainWindow::checkAlreadyRunning()
{
    qCDebug(lcApp) << "MainWindow::checkAlreadyRunning()";
    if (SingleInstanceGuard::check() == SingleInstanceGuard::Verdict::Run)
        return false;
    UserPrompt::warning(this, tr("Warning- Notarella is already running!"), alreadyRunningText(),
                        QMessageBox::Ok, QMessageBox::Ok);
    return true;
}

QString MainWindow::alreadyRunningText()
{
    return tr("<p>Notarella appears to already be running.  You should be able to access it via "
              "the Notarella icon in the System Tray at this time.</p><p>If you are unable to "
              "locate the Notarella icon in the System Tray please open its control panel with "
              "the command <i>notarella --show-panel</i>, or end the program with your desktop's "
              "system monitor (or the command <i>pkill -x notarella</i>) and then start it again "
              "from your applications menu.  We apologize for any inconvenience.</p>");
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

    m_dataDirectory = AppPaths::noteDataDirectory();
    m_databaseFile = m_dataDirectory + Platform::currentUserName();
    const NoteDatabase::OpenResult opened = m_writer.open(m_dataDirectory, m_databaseFile);
    return opened == NoteDatabase::OpenResult::Opened || recoverUnopenedNotes(opened);
}

void MainWindow::setupTrayMenu()
{
    qCDebug(lcApp) << "MainWindow::setupTrayMenu() ---------------------------------";
    m_trayMenu = new TrayMenu(this);
    m_exitAction = m_trayMenu->exitAction();
    m_trayIcon = new TrayIcon(trayPicture(), tr("Notarella"), m_trayMenu->menu(), this);
    connect(m_trayIcon, &TrayIcon::newNoteRequested, this, &MainWindow::createStickyDefault);
    connect(m_trayMenu, &TrayMenu::newNoteRequested, this, [this](int preset) {
        void (MainWindow::*const commands[ColorPresets::kCount])() = {
            &MainWindow::createStickyDefault, &MainWindow::createStickyOne,
            &MainWindow::createStickyTwo,     &MainWindow::createStickyThree,
            &MainWindow::createStickyFour,    &MainWindow::createStickyFive};
        (this->*commands[preset])();
    });
    connect(m_trayMenu, &TrayMenu::raiseVisibleRequested, this, &MainWindow::stickiesToFront);
    connect(m_trayMenu, &TrayMenu::activateAllRequested, this, &MainWindow::stickiesShowAll);
    connect(m_trayMenu, &TrayMenu::controlPanelRequested, this, &MainWindow::showControlPanel);
    connect(m_trayMenu, &TrayMenu::exitRequested, this, &MainWindow::confirmExit);
    m_trayIcon->show();
}

void MainWindow::setupCentralWidget()
{
    qCDebug(lcPanel) << "MainWindow::setupCentralWidget() ---------------------------";
    auto *central = new QWidget(this);
    m_searchBar = new NoteSearchBar(central);
    m_scrollArea = new NoteListArea(m_book, *m_searchBar, central);
    m_helpButton = new QPushButton(central);
    m_printButton = new QPushButton(central);
    m_optionsButton = new QPushButton(central);
    auto *spacer = new QSpacerItem(5, 5, QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_closeButton = new QPushButton(central);

    m_printButton->setIcon(QIcon(printerPicture()));
    m_printButton->setIconSize(QSize(32, 32));

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_helpButton);
    buttonRow->addWidget(m_optionsButton);
    buttonRow->addWidget(m_printButton);
    buttonRow->addItem(spacer);
    buttonRow->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_searchBar);
    layout->addWidget(m_scrollArea);
    layout->addLayout(buttonRow);
    // The keyboard follows the buttons as they are seen, left to right.
    setTabOrder(m_helpButton, m_optionsButton);
    setTabOrder(m_optionsButton, m_printButton);
    setTabOrder(m_printButton, m_closeButton);
    setCentralWidget(central);
    setMinimumHeight(175);
    // The list is one row per note; wide enough for a summary, and tall
    // enough for a handful of notes before it scrolls.
    resize(560, 320);

    connect(m_helpButton, &QPushButton::clicked, this, &MainWindow::displayAbout);
    connect(m_optionsButton, &QPushButton::clicked, this, &MainWindow::openOptions);
    connect(m_printButton, &QPushButton::clicked, this, &MainWindow::print);
    connect(m_closeButton, &QPushButton::clicked, this, &MainWindow::closeControlPanel);
    auto *exchange = new NoteExchangeCommands(this, notesMenu());
    // While a search narrows the list, an export takes the notes it shows.
    exchange->setExportSource([this]() -> NoteExchangeCommands::ExportSelection {
        const QList<NoteRecord> all = noteRecords();
        const TableWidget *list = m_scrollArea->list();
        if (!list || m_searchBar->query().trimmed().isEmpty())
            return {all};
        const QList<const StickyWidget *> shown = list->shownNotes();
        QList<NoteRecord> records;
        for (qsizetype i = 0; i < stickyList.size(); ++i) {
            if (shown.contains(stickyList.at(i)))
                records.append(all.at(i));
        }
        return {records, int(all.size())};
    });
    m_backups = new BackupCommands(this, m_writer, m_databaseFile, notesMenu(),
                                   {[this] { return saveNotes(); }, [this] { reloadNotes(); },
                                    [this] { return int(m_book.size()); },
                                    [this] { return m_loadingNotes; }});
    QMenu *menu = notesMenu();
    menu->addSeparator();
    m_trash = new TrashCommands(m_book, m_writer, *m_saving, menu, this);
    menu->addSeparator();
    menu->addAction(m_exitAction);
}

QMenu *MainWindow::notesMenu()
{
    if (auto *menu = menuBar()->findChild<QMenu *>(QStringLiteral("notesMenu")))
        return menu;
    QMenu *menu = menuBar()->addMenu(tr("&Notes"));
    menu->setObjectName(QStringLiteral("notesMenu"));
    return menu;
}

void MainWindow::changeLanguage()
{
    qCDebug(lcPanel) << "MainWindow::changeLanguage() --------------------------------";
    setWindowTitle(tr("Notarella - Control Panel"));
    if (m_trayIcon)
        m_trayIcon->setToolTip(tr("Notarella"));

    using namespace Preferences;
    if (m_trayMenu)
        m_trayMenu->retranslate();

    if (m_helpButton) {
        m_helpButton->setText(NativeSettings::contains(Keys::DisplayedAbout) ? tr("&Help")
                                                                             : tr("&Start Here!"));
        m_optionsButton->setText(tr("&Options"));
        m_printButton->setText(tr("&Print"));
        m_closeButton->setText(tr("&Close"));
        m_searchBar->retranslate();
        notesMenu()->setTitle(tr("&Notes"));
        if (auto *exchange = findChild<NoteExchangeCommands *>())
            exchange->retranslate();
    }
    if (m_backups)
        m_backups->retranslate();
    if (m_trash)
        m_trash->retranslate();
    if (!std::exchange(m_notesJustLoaded, false)) {
        const NoteSettings settings = NoteSettings::read(); // once for all notes
        for (StickyWidget *sticky : std::as_const(stickyList))
            sticky->retranslate(settings);
    }
    // The list's texts are translated as it is built.
    if (m_scrollArea)
        m_scrollArea->rebuild();
}

void MainWindow::updateTableWidget()
{
    if (m_scrollArea)
        m_scrollArea->rebuild();
}

void MainWindow::applyNoteFilter()
{
    if (m_scrollArea)
        m_scrollArea->applyFilter();
}

void MainWindow::createStickyDefault()
{
    createSticky(Preferences::userString(Preferences::Names::DefaultRGB),
                 Preferences::userString(Preferences::Names::DefaultColor));
}

void MainWindow::createStickyOne()
{
    createSticky(Preferences::userString(Preferences::Names::OneRGB),
                 Preferences::userString(Preferences::Names::OneColor));
}

void MainWindow::createStickyTwo()
{
    createSticky(Preferences::userString(Preferences::Names::TwoRGB),
                 Preferences::userString(Preferences::Names::TwoColor));
}

void MainWindow::createStickyThree()
{
    createSticky(Preferences::userString(Preferences::Names::ThreeRGB),
                 Preferences::userString(Preferences::Names::ThreeColor));
}

void MainWindow::createStickyFour()
{
    createSticky(Preferences::userString(Preferences::Names::FourRGB),
                 Preferences::userString(Preferences::Names::FourColor));
}

void MainWindow::createStickyFive()
{
    createSticky(Preferences::userString(Preferences::Names::FiveRGB),
                 Preferences::userString(Preferences::Names::FiveColor));
}

void MainWindow::stickiesToFront()
{
    qCDebug(lcApp) << "MainWindow::stickiesToFront()";
    for (StickyWidget *sticky : std::as_const(stickyList)) {
        if (!sticky->isHidden())
            sticky->activateWindow();
    }
}

void MainWindow::stickiesShowAll()
{
    qCDebug(lcApp) << "MainWindow::stickiesShowAll()";
    QList<StickyWidget *> hidden;
    for (StickyWidget *sticky : std::as_const(stickyList)) {
        if (sticky->isHidden())
            hidden.append(sticky);
        else
            sticky->activateWindow();
    }
    for (StickyWidget *sticky : std::as_const(hidden)) {
        sticky->show();
        sticky->activateWindow();
    }
}

StickyWidget *MainWindow::windowOf(int id) const
{
    return m_windows ? m_windows->windowOf(id) : nullptr;
}

void MainWindow::showControlPanel()
{
    qCDebug(lcPanel) << "MainWindow::showControlPanel()";
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    showNormal();
    raise();
    if (!isActiveWindow())
        activateWindow();
}

void MainWindow::showPanelWithoutTray()
{
    qCDebug(lcPanel) << "MainWindow::showPanelWithoutTray()";
    showControlPanel();
    // Said once, after start-up, and without blocking it: the notes are
    // usable while the message is up.
    QTimer::singleShot(0, this, [this] {
        UserPrompt::notice(
            this, tr("Notarella - No System Tray"),
            tr("<p>This desktop has no system tray, so the Notarella icon cannot be shown.</p>"
               "<p>The <b>Control Panel</b> takes its place: it creates stickies, lists every "
               "sticky, hidden ones included, and shows them again. Its <i>Close</i> button "
               "only hides it; to bring it back, choose <i>Sticky Control Panel</i> from the "
               "right-click menu of any sticky.</p>"));
    });
}

void MainWindow::closeControlPanel()
{
    qCDebug(lcPanel) << "MainWindow::closeControlPanel()";
    if (Preferences::userBool(Preferences::Names::CloseWarning)) {
        RZToggleMessageBox box(
            tr("Warning: Control Panel Closing"),
            tr("<p>Closing the control panel does not exit the Notarella program.  The Control "
               "Panel, and other sticky operations, will remain available by right-clicking the "
               "sticky icon in the system tray.</p><p><b>Do you still wish to close the control "
               "panel?</b></p>"),
            Preferences::userKey(Preferences::Names::CloseWarning), this);
        if (box.exec() != QDialog::Accepted)
            return;
    }
    hide();
    saveStickies();
}

void MainWindow::displayAbout()
{
    qCDebug(lcPanel) << "MainWindow::displayAbout()";
    showHelpPage(QString());
    m_helpButton->setText(tr("&Help"));
    NativeSettings::setValue(Preferences::Keys::DisplayedAbout, true);
}

void MainWindow::openOptions()
{
    qCDebug(lcPanel) << "MainWindow::openOptions()";
    const QString syncFolderBefore = Preferences::userString(Preferences::Names::SyncFolder);
    OptionsWindow options;
    options.setSyncState(m_syncStateText);
    connect(this, &MainWindow::syncStateTextChanged, &options, &OptionsWindow::setSyncState);
    // Let go of the key while the options are open: its editor must see the
    // key itself when the user presses it there.
    m_globalKey->release();
    if (options.exec() != QDialog::Accepted) {
        m_globalKey->apply(false);
        return;
    }
    changeLanguage();
    m_globalKey->apply();
    const QString syncFolder = Preferences::userString(Preferences::Names::SyncFolder);
    if (syncFolder != syncFolderBefore)
        emit syncFolderChosen(syncFolder);
}

void MainWindow::setSyncFolder(const QString &folder)
{
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::SyncFolder), folder);
    qCDebug(lcApp) << "MainWindow::setSyncFolder()" << folder;
    emit syncFolderChosen(folder);
}

void MainWindow::setSyncStateText(const QString &text)
{
    if (text == m_syncStateText)
        return;
    m_syncStateText = text;
    emit syncStateTextChanged(text);
}

QList<NotePrinting::Note> MainWindow::printedNotes(const QList<StickyWidget *> &notes,
                                                   bool allNotes)
{
    QList<NotePrinting::Note> printed;
    for (const StickyWidget *sticky : notes) {
        if (allNotes || sticky->isVisible())
            printed.append({sticky->summaryText(), sticky->creationDate(), sticky->message()});
    }
    return printed;
}

void MainWindow::print()
{
    qCDebug(lcPanel) << "MainWindow::print()";
    const QString visibleOnly = tr("Only the Visible Stickies");
    const QString all = tr("All Stickies");
    const std::optional<QString> choice =
        StandardDialogs::getItem(this, tr("Print Stickies"), tr("Print:"), {visibleOnly, all}, 0);
    if (!choice || choice->isEmpty())
        return;
    NotePrinting::print(this, printedNotes(stickyList, *choice == all));
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
    delete std::exchange(m_trayIcon, nullptr); // the icon leaves the tray
    qCDebug(lcApp) << "MainWindow::aboutToQuit() - end";
}
