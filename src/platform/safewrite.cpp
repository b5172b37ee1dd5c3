#include "platform/safewrite.h"

#include "base/tracing.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
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

// A descriptor closed without touching errno, which the caller still reads.
void closeKeepingErrno(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

// Whether `gid` is the user's private group: the user's own group, named
// after the user, with no other members. Where each user has such a group
// (umask 002), the user's folders are writable by it.
bool isPrivateGroup(gid_t gid)
{
    if (gid != ::getegid())
        return false;
    const passwd *user = ::getpwuid(::geteuid());
    const group *own = ::getgrgid(gid);
    if (!user || !own || qstrcmp(user->pw_name, own->gr_name) != 0)
        return false;
    for (char **member = own->gr_mem; *member; ++member) {
        if (qstrcmp(*member, user->pw_name) != 0)
            return false;
    }
    return true;
}

// Whether the open folder `fd` is the user's own and closed to other users.
Problem judgeFolder(int fd)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        return Problem::Failed;
    if (!S_ISDIR(status.st_mode))
        return Problem::NotAFolder;
    if (status.st_uid != ::geteuid())
        return Problem::NotOwned;
    const bool others = (status.st_mode & S_IWOTH) ||
                        ((status.st_mode & S_IWGRP) && !isPrivateGroup(status.st_gid));
    if (others && !(status.st_mode & S_ISVTX))
        return Problem::WritableByOthers;
    return Problem::None;
}

} // namespace

Folder::Folder(Folder &&other) noexcept : m_fd(std::exchange(other.m_fd, -1))
{
}

Folder &Folder::operator=(Folder &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

Folder::~Folder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Folder Folder::open(const QString &path, Problem *problem)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        report(problem, errno == ENOTDIR ? Problem::NotAFolder : Problem::Failed);
        return {};
    }
    const Problem judged = judgeFolder(fd);
    if (judged != Problem::None) {
        qCWarning(lcPlatform) << "SafeWrite: refusing the folder" << path;
        closeKeepingErrno(fd);
        report(problem, judged);
        return {};
    }
    report(problem, Problem::None);
    return Folder(fd);
}

Folder Folder::subfolder(const QString &name, Problem *problem) const
{
    const QByteArray native = QFile::encodeName(name);
    // 0755 whatever the umask: a folder made here is to pass the check below.
    if (::mkdirat(m_fd, native.constData(), 0755) != 0 && errno != EEXIST) {
        report(problem, Problem::Failed);
        return {};
    }
    const int fd =
        ::openat(m_fd, native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        // O_NOFOLLOW on a link gives ELOOP, O_DIRECTORY on a file ENOTDIR.
        report(problem, errno == ELOOP || errno == ENOTDIR ? Problem::NotAFolder : Problem::Failed);
        return {};
    }
    const Problem judged = judgeFolder(fd);
    if (judged != Problem::None) {
        closeKeepingErrno(fd);
        report(problem, judged);
        return {};
    }
    report(problem, Problem::None);
    return Folder(fd);
}

Folder Folder::makePrivate(const QString &prefix, QString *name, Problem *problem) const
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            prefix + QString::number(QRandomGenerator::global()->generate64(), 36);
        const QByteArray native = QFile::encodeName(candidate);
        if (::mkdirat(m_fd, native.constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            report(problem, Problem::Failed);
            return {};
        }
        const int fd =
            ::openat(m_fd, native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            report(problem, Problem::Failed);
            return {};
        }
        *name = candidate;
        report(problem, Problem::None);
        return Folder(fd);
    }
    errno = EEXIST;
    report(problem, Problem::Failed);
    return {};
}

int Folder::createFile(const QString &name, Problem *problem) const
{
    const int fd = ::openat(m_fd, QFile::encodeName(name).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    report(problem,
           fd < 0 ? (errno == EEXIST ? Problem::InTheWay : Problem::Failed) : Problem::None);
    return fd;
}

Entry Folder::entry(const QString &name) const
{
    struct stat status = {};
    if (::fstatat(m_fd, QFile::encodeName(name).constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
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
    return ::renameat(m_fd, QFile::encodeName(name).constData(), to.m_fd,
                      QFile::encodeName(newName).constData()) == 0;
}

bool Folder::remove(const QString &name) const
{
    const QByteArray native = QFile::encodeName(name);
    return ::unlinkat(m_fd, native.constData(), 0) == 0 ||
           (errno == EISDIR && ::unlinkat(m_fd, native.constData(), AT_REMOVEDIR) == 0);
}

bool Folder::removeTree(const QString &name) const
{
    const QByteArray native = QFile::encodeName(name);
    const int fd =
        ::openat(m_fd, native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return remove(name);
    DIR *listing = ::fdopendir(fd); // takes the descriptor
    if (!listing) {
        ::close(fd);
        return false;
    }
    const Folder inside(::dup(fd));
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
    return ::unlinkat(m_fd, native.constData(), AT_REMOVEDIR) == 0 && removed;
}

} // namespace SafeWrite
