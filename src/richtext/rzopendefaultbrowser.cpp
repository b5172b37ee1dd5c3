#include "richtext/rzopendefaultbrowser.h"

#include "base/apppaths.h"
#include "base/tracing.h"
#include "richtext/commandline.h"

#include <QProcess>

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

} // namespace

void RZOpenDefaultBrowser::url(const QString &url)
{
    qCDebug(lcRichText).noquote() << "RZOpenDefaultBrowser::url("
                                  << QLatin1Char('"') + url + QLatin1Char('"') << ")";
    const CommandLine::LaunchCommand command = CommandLine::linkCommand(url);
    traceCommand(command.commandText);
    startDetached(command);
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
