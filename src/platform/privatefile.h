#pragma once

#include "platform/filedescriptor.h"

#include <QString>

#include <fcntl.h>

// Files and folders only this user may read: the note file and every copy of
// it. Files are created exclusively and never through a symbolic link, so a
// name planted beforehand by someone else is never written into.
namespace PrivateFile {

enum class Created
{
    Yes,
    // Something (a file, a folder, a link) is already at the name.
    Exists,
    Failed
};

// The mode of a file made new: only the user's (0600, whatever the umask),
// or readable as the umask allows (0666 less the umask), for files meant to
// be handed on.
enum class Access
{
    UserOnly,
    AsUmaskAllows,
};

// Creates the file `name` in the open folder `folder` (AT_FDCWD: `name` is
// a path), which must not exist yet, and returns it open for writing; never
// opens what is there, nor follows a link there. `created` tells why not.
Platform::FileDescriptor createAt(int folder, const QString &name, Access access, Created *created,
                                  QString *error = nullptr);

// Creates the empty file `path` with mode 0600; never opens what is there.
Created create(const QString &path, QString *error = nullptr);

// Makes the folder `name` in the open folder `folder` (AT_FDCWD: `name` is a
// path) with `mode` less the umask. True when it was made or something is
// already at the name, which the caller then checks.
bool makeFolderAt(int folder, const QString &name, int mode);

// Creates the missing folders of `path`, each with mode 0700. True when
// `path` is a folder afterwards.
bool makeFolders(const QString &path);

// Copies `source` to a new private file `target`; nothing is left at
// `target` when that fails.
bool copy(const QString &source, const QString &target, QString *error);

} // namespace PrivateFile
