#include "app/commandlineexport.h"
#include "app/instancechannel.h"
#include "app/mainwindow.h"
#include "app/myapplication.h"
#include "app/programarguments.h"
#include "app/singleinstanceguard.h"
#include "base/tracing.h"
#include "platform/nativesettings.h"
#include "platform/terminationsignals.h"

#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>

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

// Hands a request to the copy already running. True when it took it.
bool deliverToRunningCopy(int &argc, char **argv, const Request &request)
{
    if (request.action != Request::Action::NewNote && request.action != Request::Action::ShowPanel)
        return false;
    QCoreApplication application(argc, argv);
    setApplicationNames();
    // A copy started a moment ago holds the lock but listens only once its
    // notes are loaded: the request waits for it rather than being refused.
    return InstanceChannel::deliverWhenListening(
        InstanceChannel::serverName(),
        request.action == Request::Action::NewNote ? InstanceChannel::Request::NewNote
                                                   : InstanceChannel::Request::ShowPanel,
        request.noteText, &SingleInstanceGuard::anotherCopyHoldsLock);
}

} // namespace

int main(int argc, char *argv[])
{
    Tracing::applyEnvironment();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Request request = CommandLine::parseProgramArguments(arguments);
    if (const int exitCode = answerWithoutWindow(argc, argv, request); exitCode >= 0)
        return exitCode;
    if (deliverToRunningCopy(argc, argv, request))
        return 0;

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
    QObject::connect(&channel, &InstanceChannel::newNoteRequested, &window,
                     &MainWindow::createStickyWithText);
    QObject::connect(&channel, &InstanceChannel::showPanelRequested, &window,
                     &MainWindow::showControlPanel);
    channel.listen(InstanceChannel::serverName());
    // No copy ran to take the request: this one carries it out.
    if (request.action == Request::Action::NewNote)
        QTimer::singleShot(0, &window,
                           [&window, &request] { window.createStickyWithText(request.noteText); });
    else if (request.action == Request::Action::ShowPanel)
        QTimer::singleShot(0, &window, &MainWindow::showControlPanel);

    if (TerminationSignals::requested()) {
        // The signal came during start-up; leave through the ordinary
        // shutdown as soon as the event loop runs.
        QTimer::singleShot(0, &application, [] { QCoreApplication::exit(0); });
    }
    const int result = QApplication::exec();
    mainWindow = nullptr;
    return result;
}
