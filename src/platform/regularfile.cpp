#include "platform/regularfile.h"

#include "base/tracing.h"
#include "platform/filedescriptor.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

using Descriptor = Platform::FileDescriptor;

// Reads at most `bytes` from `fd`; less when the file shrank meanwhile.
QByteArray readUpTo(int fd, qint64 bytes)
{
    QByteArray data;
    data.resize(qsizetype(bytes));
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t got = ::read(fd, data.data() + done, size_t(data.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // the file shrank meanwhile: keep what was there
        done += got;
    }
    data.truncate(done);
    return data;
}

Status statusOfFailedLookup(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Status::Missing;
    case ELOOP:
        return Status::SymbolicLink;
    default:
        return Status::Unreadable;
    }
}

} // namespace

std::optional<QByteArray> read(const QString &path, qint64 maxBytes)
{
    const QByteArray nativePath = QFile::encodeName(path);
    // Devices are not even opened: opening some has effects of its own.
    struct stat byName = {};
    if (::stat(nativePath.constData(), &byName) != 0 || !S_ISREG(byName.st_mode))
        return std::nullopt;
    // O_NONBLOCK: opening a FIFO must not wait for a writer. The type is then
    // checked on the open file itself, so a file swapped after a check by
    // name cannot slip through.
    const Descriptor fd(
        ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.isValid())
        return std::nullopt;
    struct stat status = {};
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxBytes) {
        qCDebug(lcPlatform) << "RegularFile: not reading" << path
                            << "(not a regular file, or larger than" << maxBytes << "bytes)";
        return std::nullopt;
    }
    return readUpTo(fd.get(), status.st_size);
}

Contents readInside(const QString &folder, const QString &relativePath, qint64 maxBytes)
{
    Contents contents;
    QStringList steps = relativePath.split(QLatin1Char('/'));
    steps.removeAll(QStringLiteral("."));
    if (relativePath.isEmpty() || relativePath.startsWith(QLatin1Char('/')) ||
        steps.contains(QStringLiteral("..")) || steps.contains(QString()) || steps.isEmpty()) {
        contents.status = Status::OutsideFolder;
        return contents;
    }
    Descriptor directory(
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!directory.isValid()) {
        contents.status = statusOfFailedLookup(errno);
        return contents;
    }
    const QString name = steps.takeLast();
    for (const QString &step : std::as_const(steps)) {
        // O_NOFOLLOW: a folder on the way that is a link fails with ELOOP.
        Descriptor next(::openat(directory.get(), QFile::encodeName(step).constData(),
                                 O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next.isValid()) {
            struct stat byName = {};
            const int error = errno;
            contents.status = ::fstatat(directory.get(), QFile::encodeName(step).constData(),
                                        &byName, AT_SYMLINK_NOFOLLOW) == 0 &&
                                      S_ISLNK(byName.st_mode)
                                  ? Status::SymbolicLink
                                  : statusOfFailedLookup(error);
            return contents;
        }
        directory = std::move(next);
    }
    const QByteArray nativeName = QFile::encodeName(name);
    // Looked at before opening: devices are never opened.
    struct stat byName = {};
    if (::fstatat(directory.get(), nativeName.constData(), &byName, AT_SYMLINK_NOFOLLOW) != 0) {
        contents.status = statusOfFailedLookup(errno);
        return contents;
    }
    if (S_ISLNK(byName.st_mode)) {
        contents.status = Status::SymbolicLink;
        return contents;
    }
    if (!S_ISREG(byName.st_mode)) {
        contents.status = Status::NotRegular;
        return contents;
    }
    const Descriptor fd(::openat(directory.get(), nativeName.constData(),
                                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status = {};
    if (!fd.isValid() || ::fstat(fd.get(), &status) != 0) {
        contents.status = fd.isValid() ? Status::Unreadable : statusOfFailedLookup(errno);
        return contents;
    }
    // Checked again on the open file: the name may have been swapped.
    if (!S_ISREG(status.st_mode)) {
        contents.status = Status::NotRegular;
        return contents;
    }
    if (status.st_size > maxBytes) {
        qCDebug(lcPlatform) << "RegularFile: not reading" << relativePath << "in" << folder << "("
                            << status.st_size << "bytes, more than" << maxBytes << ")";
        contents.status = Status::TooLarge;
        return contents;
    }
    contents.data = readUpTo(fd.get(), status.st_size);
    contents.status = Status::Read;
    return contents;
}

} // namespace RegularFile
