#pragma once

#include <QString>

// The folder that holds the running copy's instance lock and command socket.
// Whoever can write there can take the lock or listen in the copy's place, so
// only a folder of the user's own will do: a real folder (no symbolic link),
// owned by the user, closed to everyone else. The current directory and a
// shared temporary folder are never used.
namespace Platform {

// The first usable of: `runtimeDirectory` ($XDG_RUNTIME_DIR) when it is an
// absolute folder passing FolderRule::Private; `systemRuntimeDirectory` (/run/user/<uid>) when it
// is one; "<cacheHome>/notarella", made with mode 0700 when missing (and
// closed again when the user's own folder there was opened to others).
// Empty when none is: the caller then has no lock and no socket rather than
// unsafe ones.
QString privateRuntimeFolderFor(const QString &runtimeDirectory,
                                const QString &systemRuntimeDirectory, const QString &cacheHome);

// The folder for this process: $XDG_RUNTIME_DIR, /run/user/<uid>, then
// $XDG_CACHE_HOME (an absolute one; otherwise "~/.cache") with "notarella".
QString privateRuntimeFolder();

} // namespace Platform
