#include "platform/ownfolder.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

void report(FolderProblem *problem, FolderProblem value)
{
    if (problem)
        *problem = value;
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

bool isOpenToOthers(const struct stat &status, FolderRule rule)
{
    switch (rule) {
    case FolderRule::Private:
        return (status.st_mode & 077) != 0;
    case FolderRule::ClosedToWriters:
        return (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    case FolderRule::Chosen:
        break;
    }
    const bool others = (status.st_mode & S_IWOTH) ||
                        ((status.st_mode & S_IWGRP) && !isPrivateGroup(status.st_gid));
    return others && !(status.st_mode & S_ISVTX);
}

int openFlags(FolderRule rule)
{
    // Judging needs no right to read the folder's list; a chosen folder is
    // also worked in, so it is opened for reading.
    switch (rule) {
    case FolderRule::Private:
        return O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    case FolderRule::ClosedToWriters:
        return O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    case FolderRule::Chosen:
        break;
    }
    return O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;
}

FileDescriptor judged(int fd, bool noFollow, FolderRule rule, FolderProblem *problem)
{
    FileDescriptor folder(fd);
    if (!folder.isValid()) {
        // O_NOFOLLOW on a link gives ELOOP, O_DIRECTORY on a file ENOTDIR.
        const bool notAFolder = errno == ENOTDIR || (noFollow && errno == ELOOP);
        report(problem, notAFolder ? FolderProblem::NotAFolder : FolderProblem::Failed);
        return {};
    }
    const FolderProblem verdict = judgeFolder(folder.get(), rule);
    report(problem, verdict);
    if (verdict != FolderProblem::None)
        folder.reset();
    return folder;
}

} // namespace

FolderProblem judgeFolder(int fd, FolderRule rule)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        return FolderProblem::Failed;
    if (!S_ISDIR(status.st_mode))
        return FolderProblem::NotAFolder;
    if (status.st_uid != ::geteuid())
        return FolderProblem::NotOwned;
    if (isOpenToOthers(status, rule))
        return FolderProblem::WritableByOthers;
    return FolderProblem::None;
}

FileDescriptor openOwnFolder(const QString &path, FolderRule rule, FolderProblem *problem)
{
    const int flags = openFlags(rule);
    return judged(::open(QFile::encodeName(path).constData(), flags), flags & O_NOFOLLOW, rule,
                  problem);
}

FileDescriptor openOwnFolderAt(int parent, const QString &name, FolderRule rule,
                               FolderProblem *problem)
{
    const int flags = (openFlags(rule) & ~O_NONBLOCK) | O_NOFOLLOW;
    return judged(::openat(parent, QFile::encodeName(name).constData(), flags), true, rule,
                  problem);
}

} // namespace Platform
