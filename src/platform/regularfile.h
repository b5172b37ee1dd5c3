#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reading files named by stored data (image sources in a note's text). A
// device such as /dev/zero reads forever and a FIFO blocks until someone
// writes to it, so only regular files are read, and only up to a limit.
namespace RegularFile {

// 20 MB: far more than any picture in a note.
inline constexpr qint64 kDefaultMaxBytes = 20 * 1024 * 1024;

// The contents of `path` when it is (or links to) a regular file of at most
// `maxBytes`; nothing for devices, FIFOs, sockets, directories, missing or
// larger files. Never blocks on the file.
std::optional<QByteArray> read(const QString &path, qint64 maxBytes = kDefaultMaxBytes);

// Why a file inside a folder was or was not read.
enum class Status
{
    Read,
    Missing,
    OutsideFolder, // an absolute path, an empty name or a ".." on the way
    SymbolicLink,  // the file or a folder on the way is a symbolic link
    NotRegular,    // a folder, device, FIFO or socket
    TooLarge,
    Unreadable
};

struct Contents
{
    Status status = Status::Missing;
    QByteArray data; // when read
};

// Reads `relativePath` below `folder` the way files handed over by someone
// else must be read: no symbolic link is followed, neither the file nor any
// folder between `folder` and it, so nothing outside `folder` is reached;
// only a regular file of at most `maxBytes` is read, and never more than
// that even when it grows meanwhile. `folder` itself is taken as given.
Contents readInside(const QString &folder, const QString &relativePath, qint64 maxBytes);

} // namespace RegularFile
