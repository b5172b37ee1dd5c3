#pragma once

#include "platform/privatefile.h"

#include <QByteArray>
#include <QString>

// Putting a file in place of another so that a power cut at any moment
// leaves the path holding either the old file or the whole new one: the new
// file is written beside the target, flushed to the disk, renamed over the
// target in one step, and the folder is flushed so that the new name stays.
// A rename without the first flush can leave an empty or partial file under
// the target's name after a power cut.
namespace Platform {

// Puts the written file `temporary` (in the target's folder) over `target`.
// When a step fails, `target` is as it was, `temporary` is removed and
// `error` tells why. Only a failed flush of the folder after the rename
// leaves the file in place: it is then reported as placed.
bool replaceWith(const QString &temporary, const QString &target, QString *error);

// Writes `bytes` into the new file `temporary`, made exclusively and never
// through a link there, then puts it over `target` as replaceWith() does.
bool replaceWithBytes(const QString &temporary, const QString &target, const QByteArray &bytes,
                      PrivateFile::Access access, QString *error);

// Moves `from` to the new name `to` in the same file system, never
// replacing anything at `to`: for putting a file aside under a name of its
// own (and back again).
bool moveAside(const QString &from, const QString &to, QString *error = nullptr);

// Moves the entry `name` of the open folder `from` to `newName` in the open
// folder `to`, replacing a file there. Callers that put files in place this
// way write them flushed and flush `to` with syncFolder() afterwards.
bool renameAt(int from, const QString &name, int to, const QString &newName);

// Flushes the entries of the open folder `folder` to the disk.
bool syncFolder(int folder);

// The same for the folder that holds `path`.
bool syncFolderOf(const QString &path);

} // namespace Platform
