#pragma once

class MainWindow;
class QString;

// "notarella --sync-folder DIR", carried out by the running copy. The second
// start checked DIR already, but this copy may see other mounts: it checks
// again before taking the folder.
namespace SyncFolderCommand {

// Keeps the notes of `window` in step through `folder` (absolute; empty
// turns sync off). When `folder` is no folder here, tells the user and
// changes nothing. True when the folder was taken.
bool apply(MainWindow &window, const QString &folder);

} // namespace SyncFolderCommand
