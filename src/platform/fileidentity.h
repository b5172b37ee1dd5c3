#pragma once

#include <QString>

#include <optional>

namespace Platform {

// What tells one file apart from another on the same machine, whatever its
// name: a file renamed over a path or written anew at it has another identity
// than the one opened there before.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;

    bool operator==(const FileIdentity &other) const = default;
};

// The identity of the file at `path` (links followed); nothing when no file
// is there.
std::optional<FileIdentity> fileIdentity(const QString &path);

} // namespace Platform
