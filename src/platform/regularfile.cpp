#include "platform/regularfile.h"

#include "base/tracing.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

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
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxBytes) {
        qCDebug(lcPlatform) << "RegularFile: not reading" << path
                            << "(not a regular file, or larger than" << maxBytes << "bytes)";
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data;
    data.resize(qsizetype(status.st_size));
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t got = ::read(fd, data.data() + done, size_t(data.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // the file shrank meanwhile: keep what was there
        done += got;
    }
    ::close(fd);
    data.truncate(done);
    return data;
}

} // namespace RegularFile
