#include "app/commandlineexport.h"
#include "app/importcommand.h"
#include "app/instancechannel.h"
#include "app/mainwindow.h"
#include "app/myapplication.h"
#include "app/programarguments.h"
#include "app/singleinstanceguard.h"
#include "app/syncfoldercommand.h"
#include "app/translations.h"
#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "platform/displayplatform.h"
#include "platform/nativesettings.h"
#include "platform/terminationsignals.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

using Request = CommandLine::ProgramRequest;

void setApplicationNames()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
}

// The requests answered without a window: help, version, a wrong command
// line and the export. Returns the exit code, or -1 to start the program.
int answerWithoutWindow(int &argc, char **argv, const Request &request)
{
    switch (request.action) {
    case Request::Action::Run:
    case Request::Action::NewNote:
    case Request::Action::ShowPanel:
    case Request::Action::Import:
    case Request::Action::SyncFolder:
    case Request::Action::Toggle:
        return -1;
    case Request::Action::Help:
    case Request::Action::Version:
    case Request::Action::Invalid:
    case Request::Action::Export:
        break;
    }
    // The export turns note documents into Markdown, which needs fonts, so a
    // GUI application without a screen; the others need no GUI at all.
    std::unique_ptr<QCoreApplication> application;
    if (request.action == Request::Action::Export) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    setApplicationNames();
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (request.action) {
    case Request::Action::Help:
        out << CommandLine::programUsageText();
        return 0;
    case Request::Action::Version:
        out << CommandLine::programVersionText();
        return 0;
    case Request::Action::Export:
        return CommandLineExport::run(request.exportDirectory, out, err);
    default:
        err << request.error << '\n' << CommandLine::programUsageText();
        return 2;
    }
}

// The channel's form of a request handed on.
InstanceChannel::Request channelRequestOf(const Request &request)
{
    switch (request.action) {
    case Request::Action::ShowPanel:
        return InstanceChannel::Request::ShowPanel;
    case Request::Action::Import:
        return InstanceChannel::Request::Import;
    case Request::Action::SyncFolder:
        return InstanceChannel::Request::SyncFolder;
    case Request::Action::Toggle:
        return InstanceChannel::Request::Toggle;
    default:
        break;
    }
    // The selection is read by the running copy: it holds the display
    // connection (this one has none), and where the desktop lets only a
    // program with a window read what is selected, it is the one that can.
    if (request.fromSelection)
        return InstanceChannel::Request::NewNoteFromSelection;
    return InstanceChannel::Request::NewNote;
}

// The text a request hands over with it.
QString channelTextOf(const Request &request)
{
    switch (request.action) {
    case Request::Action::Import:
        return request.importPath;
    case Request::Action::SyncFolder:
        return request.syncFolder;
    default:
        break;
    }
    return request.noteText;
}

// Hands a request to the copy already running. Returns the exit code, or -1
// when no copy runs and this one is to start and carry it out.
int deliverToRunningCopy(int &argc, char **argv, const Request &request)
{
    if (request.action != Request::Action::NewNote &&
        request.action != Request::Action::ShowPanel && request.action != Request::Action::Import &&
        request.action != Request::Action::SyncFolder && request.action != Request::Action::Toggle)
        return -1;
    QCoreApplication application(argc, argv);
    setApplicationNames();
    Translations::install(application, QLocale::system());
    // A copy started a moment ago holds the lock but listens only once its
    // notes are loaded: the request waits for it rather than being refused.
    switch (InstanceChannel::deliverWhenListening(InstanceChannel::serverName(),
                                                  channelRequestOf(request), channelTextOf(request),
                                                  &SingleInstanceGuard::anotherCopyHoldsLock)) {
    case InstanceChannel::Outcome::Delivered:
        return 0;
    case InstanceChannel::Outcome::NobodyListens:
        return -1;
    case InstanceChannel::Outcome::NotAnswered:
        break;
    }
    // The request reached the running copy, which may have carried it out:
    // starting a copy beside it would only be refused.
    QTextStream(stderr) << QCoreApplication::translate(
                               "CommandLine",
                               "The running Notarella did not confirm the request: it refused "
                               "it or ended before answering.")
                        << '\n';
    return 1;
}

// The running copy has a current directory of its own: the paths a request
// names are made absolute. Returns false, after saying why, when the sync
// folder cannot be used.
bool resolvePaths(Request &request)
{
    if (request.action == Request::Action::Import)
        request.importPath = QFileInfo(request.importPath).absoluteFilePath();
    if (request.action == Request::Action::SyncFolder) {
        const CommandLine::SyncFolderArgument folder =
            CommandLine::resolveSyncFolder(request.syncFolder, QDir::currentPath());
        if (!folder.error.isEmpty()) {
            QTextStream(stderr) << folder.error << '\n';
            return false;
        }
        request.syncFolder = folder.folder;
    }
    return true;
}

// Connects the requests of later starts to the window, and listens for them.
void listenForLaterStarts(InstanceChannel &channel, MainWindow &window)
{
    QObject::connect(&channel, &InstanceChannel::newNoteRequested, &window,
                     &MainWindow::createStickyWithText);
    QObject::connect(&channel, &InstanceChannel::showPanelRequested, &window,
                     &MainWindow::showControlPanel);
    QObject::connect(&channel, &InstanceChannel::importRequested, &window,
                     [&window](const QString &path) { ImportCommand::importPath(window, path); });
    QObject::connect(
        &channel, &InstanceChannel::syncFolderRequested, &window,
        [&window](const QString &folder) { SyncFolderCommand::apply(window, folder); });
    QObject::connect(&channel, &InstanceChannel::toggleRequested, &window,
                     &MainWindow::toggleNotes);
    QObject::connect(&channel, &InstanceChannel::newNoteFromSelectionRequested, &window,
                     &MainWindow::createStickyFromSelection);
    channel.listen(InstanceChannel::serverName());
}

// No copy ran to take the request: this one carries it out once the event
// loop runs. The request lives as long as the event loop.
void carryOutLater(MainWindow &window, const Request &request)
{
    if (request.action == Request::Action::NewNote && request.fromSelection)
        QTimer::singleShot(0, &window, &MainWindow::createStickyFromSelection);
    else if (request.action == Request::Action::NewNote)
        QTimer::singleShot(0, &window,
                           [&window, &request] { window.createStickyWithText(request.noteText); });
    else if (request.action == Request::Action::ShowPanel)
        QTimer::singleShot(0, &window, &MainWindow::showControlPanel);
    else if (request.action == Request::Action::Import)
        QTimer::singleShot(0, &window, [&window, &request] {
            ImportCommand::importPath(window, request.importPath);
        });
    else if (request.action == Request::Action::SyncFolder)
        QTimer::singleShot(0, &window, [&window, &request] {
            SyncFolderCommand::apply(window, request.syncFolder);
        });
    else if (request.action == Request::Action::Toggle)
        // The notes this start showed are what the user asked for; only
        // when it showed none does the toggle bring them out.
        QTimer::singleShot(0, &window, [&window] {
            if (std::none_of(stickyList.cbegin(), stickyList.cend(),
                             [](const StickyWidget *sticky) { return !sticky->isHidden(); }))
                window.toggleNotes();
        });
}

} // namespace

int main(int argc, char *argv[])
{
    Tracing::applyEnvironment();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    Request request = CommandLine::parseProgramArguments(arguments);
    if (const int exitCode = answerWithoutWindow(argc, argv, request); exitCode >= 0)
        return exitCode;
    if (!resolvePaths(request))
        return 1;
    if (const int exitCode = deliverToRunningCopy(argc, argv, request); exitCode >= 0)
        return exitCode;

    // In a Wayland session the notes run on XWayland, where they keep their
    // places.
    if (const QByteArray platform = DisplayPlatform::chooseForThisSession(); !platform.isEmpty())
        qCDebug(lcApp) << "Wayland session: asking for the platform" << platform;
    MyApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    setApplicationNames();
    TerminationSignals::install();

    MainWindow window;
    mainWindow = &window;
    if (window.startupFailed())
        return 0;

    // Later starts hand their requests to this copy.
    InstanceChannel channel;
    listenForLaterStarts(channel, window);
    carryOutLater(window, request);

    if (TerminationSignals::requested()) {
        // The signal came during start-up; leave through the ordinary
        // shutdown as soon as the event loop runs.
        QTimer::singleShot(0, &application, [] { QCoreApplication::exit(0); });
    }
    const int result = QApplication::exec();
    mainWindow = nullptr;
    return result;
}
