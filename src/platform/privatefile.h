#pragma once

#include <QString>

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

// Creates the empty file `path` with mode 0600; never opens what is there.
Created create(const QString &path, QString *error = nullptr);

// Creates the missing folders of `path`, each with mode 0700. True when
// `path` is a folder afterwards.
bool makeFolders(const QString &path);

// Whether `path` itself (not a link to it) is a folder of this user's that
// nobody else may write into.
bool isOwnFolder(const QString &path);

// Copies `source` to a new private file `target`; nothing is left at
// `target` when that fails.
bool copy(const QString &source, const QString &target, QString *error);

} // namespace PrivateFile
