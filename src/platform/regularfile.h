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

} // namespace RegularFile
