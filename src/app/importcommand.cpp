#include "app/importcommand.h"

#include "app/mainwindow.h"
#include "app/noteexchangecommands.h"
#include "base/tracing.h"

namespace ImportCommand {

bool importPath(MainWindow &window, const QString &path)
{
    // The control panel's import commands carry it out, so both read, merge
    // and report alike.
    auto *commands = window.findChild<NoteExchangeCommands *>();
    if (!commands) {
        qCWarning(lcApp) << "no import commands to import" << path;
        return false;
    }
    return commands->importPath(path);
}

} // namespace ImportCommand
