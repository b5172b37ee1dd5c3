#include "platform/safewrite.h"

#include "base/tracing.h"
#include "platform/durablereplace.h"
#include "platform/privatefile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace SafeWrite {

namespace {

void report(Problem *problem, Problem value)
{
    if (problem)
        *problem = value;
}

} // namespace

Folder Folder::open(const QString &path, Problem *problem)
{
    Problem judged = Problem::None;
    Platform::FileDescriptor fd =
        Platform::openOwnFolder(path, Platform::FolderRule::Chosen, &judged);
    if (judged != Problem::None && judged != Problem::Failed && judged != Problem::NotAFolder)
        qCWarning(lcPlatform) << "SafeWrite: refusing the folder" << path;
    report(problem, judged);
    return Folder(std::move(fd));
}

Folder Folder::subfolder(const QString &name, Problem *problem) const
{
    // 0755 less the umask: a folder made here is to pass the check below.
    if (!PrivateFile::makeFolderAt(m_fd.get(), name, 0755)) {
        report(problem, Problem::Failed);
        return {};
    }
    return Folder(
        Platform::openOwnFolderAt(m_fd.get(), name, Platform::FolderRule::Chosen, problem));
}

Folder Folder::makePrivate(const QString &prefix, QString *name, Problem *problem) const
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            prefix + QString::number(QRandomGenerator::global()->generate64(), 36);
        if (::mkdirat(m_fd.get(), QFile::encodeName(candidate).constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            report(problem, Problem::Failed);
            return {};
        }
        Platform::FileDescriptor fd(::openat(m_fd.get(), QFile::encodeName(candidate).constData(),
                                             O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!fd.isValid()) {
            report(problem, Problem::Failed);
            return {};
        }
        *name = candidate;
        report(problem, Problem::None);
        return Folder(std::move(fd));
    }
    errno = EEXIST;
    report(problem, Problem::Failed);
    return {};
}

Platform::FileDescriptor Folder::createFile(const QString &name, Problem *problem) const
{
    PrivateFile::Created created = PrivateFile::Created::Failed;
    Platform::FileDescriptor fd =
        PrivateFile::createAt(m_fd.get(), name, PrivateFile::Access::AsUmaskAllows, &created);
    report(problem, created == PrivateFile::Created::Yes      ? Problem::None
                    : created == PrivateFile::Created::Exists ? Problem::InTheWay
                                                              : Problem::Failed);
    return fd;
}

Entry Folder::entry(const QString &name) const
{
    struct stat status = {};
    if (::fstatat(m_fd.get(), QFile::encodeName(name).constData(), &status, AT_SYMLINK_NOFOLLOW) !=
        0)
        return errno == ENOENT ? Entry::Absent : Entry::Other;
    if (status.st_uid != ::geteuid())
        return Entry::Other;
    if (S_ISREG(status.st_mode))
        return Entry::OwnFile;
    if (S_ISDIR(status.st_mode))
        return Entry::OwnFolder;
    return Entry::Other;
}

bool Folder::move(const QString &name, const Folder &to, const QString &newName) const
{
    return Platform::renameAt(m_fd.get(), name, to.m_fd.get(), newName);
}

bool Folder::sync() const
{
    return Platform::syncFolder(m_fd.get());
}

bool Folder::remove(const QString &name) const
{
    const QByteArray native = QFile::encodeName(name);
    return ::unlinkat(m_fd.get(), native.constData(), 0) == 0 ||
           (errno == EISDIR && ::unlinkat(m_fd.get(), native.constData(), AT_REMOVEDIR) == 0);
}

bool Folder::removeTree(const QString &name) const
{
    const QByteArray native = QFile::encodeName(name);
    Platform::FileDescriptor fd(
        ::openat(m_fd.get(), native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.isValid())
        return remove(name);
    const Folder inside(Platform::FileDescriptor(::dup(fd.get())));
    DIR *listing = ::fdopendir(fd.get());
    if (!listing)
        return false;
    fd.release(); // the listing closes it
    QStringList entries;
    while (const dirent *item = ::readdir(listing)) {
        const QString entryName = QFile::decodeName(item->d_name);
        if (entryName != QLatin1String(".") && entryName != QLatin1String(".."))
            entries.append(entryName);
    }
    ::closedir(listing);
    bool removed = inside.isOpen();
    for (const QString &entryName : std::as_const(entries))
        removed = (inside.entry(entryName) == Entry::OwnFolder ? inside.removeTree(entryName)
                                                               : inside.remove(entryName)) &&
                  removed;
    return ::unlinkat(m_fd.get(), native.constData(), AT_REMOVEDIR) == 0 && removed;
}

} // namespace SafeWrite
