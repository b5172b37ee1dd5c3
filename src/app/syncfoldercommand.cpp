#include "app/syncfoldercommand.h"

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "ui/userprompt.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace SyncFolderCommand {

bool apply(MainWindow &window, const QString &folder)
{
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        qCWarning(lcApp) << "SyncFolderCommand: not a folder:" << folder;
        UserPrompt::warning(
            &window, QCoreApplication::translate("SyncFolderCommand", "Notarella - Sync"),
            QCoreApplication::translate(
                "SyncFolderCommand",
                "<p>Your notes cannot be kept in step through <b>%1</b>: there is no folder of "
                "that name on this computer.</p><p>Sync stays as it was.</p>")
                .arg(folder.toHtmlEscaped()),
            QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    window.setSyncFolder(folder);
    return true;
}

} // namespace SyncFolderCommand
