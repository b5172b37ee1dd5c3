#include "platform/durablereplace.h"

#include "base/tracing.h"
#include "platform/filedescriptor.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace Platform {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

FileDescriptor openFolderOf(const QString &path)
{
    return FileDescriptor(::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// The steps after the writing: flush `file`, rename, flush the folder.
bool place(const FileDescriptor &file, const QString &temporary, const QString &target,
           QString *error)
{
    const auto fail = [&] {
        *error = systemError();
        QFile::remove(temporary);
        return false;
    };
    if (!file.isValid() || ::fsync(file.get()) != 0)
        return fail();
    const FileDescriptor folder = openFolderOf(target);
    if (!folder.isValid() ||
        ::renameat(AT_FDCWD, QFile::encodeName(temporary).constData(), folder.get(),
                   QFile::encodeName(QFileInfo(target).fileName()).constData()) != 0)
        return fail();
    if (::fsync(folder.get()) != 0)
        qCWarning(lcPlatform) << "the folder of" << target
                              << "could not be flushed to the disk:" << systemError();
    return true;
}

} // namespace

bool replaceWith(const QString &temporary, const QString &target, QString *error)
{
    const FileDescriptor file(
        ::open(QFile::encodeName(temporary).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    return place(file, temporary, target, error);
}

bool replaceWithBytes(const QString &temporary, const QString &target, const QByteArray &bytes,
                      PrivateFile::Access access, QString *error)
{
    PrivateFile::Created created = PrivateFile::Created::Failed;
    const FileDescriptor file = PrivateFile::createAt(AT_FDCWD, temporary, access, &created, error);
    if (created != PrivateFile::Created::Yes)
        return false; // what is at the name is not ours to remove
    if (!writeAll(file.get(), bytes)) {
        *error = systemError();
        QFile::remove(temporary);
        return false;
    }
    return place(file, temporary, target, error);
}

bool moveAside(const QString &from, const QString &to, QString *error)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray destination = QFile::encodeName(to);
    bool moved = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, destination.constData(),
                             RENAME_NOREPLACE) == 0;
    // File systems without RENAME_NOREPLACE: a hard link is made only under
    // a free name as well.
    if (!moved && (errno == EINVAL || errno == ENOSYS))
        moved = ::link(source.constData(), destination.constData()) == 0 &&
                ::unlink(source.constData()) == 0;
    if (!moved && error)
        *error = systemError();
    return moved;
}

bool renameAt(int from, const QString &name, int to, const QString &newName)
{
    return ::renameat(from, QFile::encodeName(name).constData(), to,
                      QFile::encodeName(newName).constData()) == 0;
}

bool syncFolder(int folder)
{
    return ::fsync(folder) == 0;
}

bool syncFolderOf(const QString &path)
{
    const FileDescriptor folder = openFolderOf(path);
    return folder.isValid() && syncFolder(folder.get());
}

} // namespace Platform
