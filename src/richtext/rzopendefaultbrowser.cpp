#include "richtext/rzopendefaultbrowser.h"

#include "base/apppaths.h"
#include "base/tracing.h"
#include "richtext/commandline.h"

#include "ui/userprompt.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QWidget>

namespace {

RZOpenDefaultBrowser::Launcher &launcherOverride()
{
    static RZOpenDefaultBrowser::Launcher launcher;
    return launcher;
}

void traceCommand(const QString &commandText)
{
    qCDebug(lcRichText).noquote() << "  |";
    qCDebug(lcRichText).noquote() << "  +-- command:"
                                  << QLatin1Char('"') + commandText + QLatin1Char('"');
}

// Our own helpers (beside the executable, or in libexec when installed) are
// found there first.
void startDetached(const CommandLine::LaunchCommand &command)
{
    const QString program =
        CommandLine::resolveProgram(command.program, AppPaths::helperDirectory());
    if (launcherOverride()) {
        launcherOverride()(program, command.arguments);
        return;
    }
    // The started program's fate is its own business: the result is ignored.
    QProcess::startDetached(program, command.arguments);
}

void reportFailure(QWidget *parent, const QString &url, const QString &reason)
{
    qCWarning(lcRichText).noquote() << "Link not opened:" << url << "-" << reason;
    UserPrompt::notify(parent, RZOpenDefaultBrowser::failureTitle(),
                       RZOpenDefaultBrowser::failureMessage(url, reason));
}

// The URL handler is watched without waiting for it: its start and its exit
// status arrive as signals. The handler of this program returns once the
// desktop's opener has answered or has been running for a while, and leaves
// that opener running on its own, so nothing is held up or cut short here.
void startWatched(const CommandLine::LaunchCommand &command, const QString &url, QWidget *parent)
{
    const QString program =
        CommandLine::resolveProgram(command.program, AppPaths::helperDirectory());
    if (launcherOverride()) {
        launcherOverride()(program, command.arguments);
        return;
    }
    auto *process = new QProcess(QCoreApplication::instance());
    process->setProgram(program);
    process->setArguments(command.arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    const QPointer<QWidget> window(parent);
    QObject::connect(
        process, &QProcess::errorOccurred, process,
        [process, program, url, window](QProcess::ProcessError error) {
            // Every other error ends in finished() as well.
            if (error != QProcess::FailedToStart)
                return;
            reportFailure(window, url,
                          RZOpenDefaultBrowser::notStartedReason(program, process->errorString()));
            process->deleteLater();
        });
    QObject::connect(process, &QProcess::finished, process,
                     [process, url, window](int exitCode, QProcess::ExitStatus status) {
                         if (status == QProcess::CrashExit)
                             reportFailure(window, url, RZOpenDefaultBrowser::crashedReason());
                         else if (exitCode != 0)
                             reportFailure(window, url,
                                           RZOpenDefaultBrowser::failedReason(
                                               exitCode, process->readAllStandardError()));
                         process->deleteLater();
                     });
    process->start();
}

} // namespace

void RZOpenDefaultBrowser::url(const QString &url, QWidget *parent)
{
    qCDebug(lcRichText).noquote() << "RZOpenDefaultBrowser::url("
                                  << QLatin1Char('"') + url + QLatin1Char('"') << ")";
    const CommandLine::LaunchCommand command = CommandLine::linkCommand(url);
    traceCommand(command.commandText);
    startWatched(command, url, parent);
}

QString RZOpenDefaultBrowser::failureTitle()
{
    return tr("Link Not Opened");
}

QString RZOpenDefaultBrowser::failureMessage(const QString &url, const QString &reason)
{
    return tr("<p>The link <b>%1</b> could not be opened.</p><p>%2</p>")
        .arg(url.toHtmlEscaped(), reason.toHtmlEscaped());
}

QString RZOpenDefaultBrowser::notStartedReason(const QString &program, const QString &error)
{
    return tr("The program that opens links (%1) could not be started: %2").arg(program, error);
}

QString RZOpenDefaultBrowser::failedReason(int exitCode, const QByteArray &errorOutput)
{
    const QString said = QString::fromLocal8Bit(errorOutput).trimmed();
    if (said.isEmpty())
        return tr("The program that opens links reported a failure (exit code %1).").arg(exitCode);
    // The last lines are the ones that say what went wrong.
    constexpr qsizetype kMostShown = 400;
    const QString shown =
        said.size() > kMostShown ? QStringLiteral("…") + said.right(kMostShown) : said;
    return tr("The program that opens links reported a failure (exit code %1): %2")
        .arg(QString::number(exitCode), shown);
}

QString RZOpenDefaultBrowser::crashedReason()
{
    return tr("The program that opens links stopped unexpectedly.");
}

void RZOpenDefaultBrowser::setLauncherForTesting(Launcher launcher)
{
    launcherOverride() = std::move(launcher);
}

void showHelpPage(const QString &page)
{
    const CommandLine::LaunchCommand command =
        CommandLine::helpCommand(AppPaths::dataFilesDirectory(), page);
    traceCommand(command.commandText);
    startDetached(command);
}
