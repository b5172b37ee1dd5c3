#include "platform/privateruntimefolder.h"

#include "platform/ownfolder.h"
#include "platform/privatefile.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {
namespace {

bool isUsable(const QString &path)
{
    return !path.isEmpty() && QDir::isAbsolutePath(path) && isOwnFolder(path, FolderRule::Private);
}

// Others may not rename entries of `folder`: a folder of ours there could
// be swapped for a link between the check and its use.
bool keepsEntriesInPlace(const QString &folder)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ((info.st_mode & (S_IWGRP | S_IWOTH)) == 0 || (info.st_mode & S_ISVTX) != 0);
}

// Makes "<cacheHome>/notarella" or checks the one there. A folder of the
// user's own that others may enter is closed through its open handle, so a
// link swapped in meanwhile is never changed.
QString ownCacheFolder(const QString &cacheHome)
{
    if (cacheHome.isEmpty() || !QDir::isAbsolutePath(cacheHome) || !QDir().mkpath(cacheHome) ||
        !keepsEntriesInPlace(cacheHome))
        return QString();
    const QString folder = QDir::cleanPath(cacheHome + QStringLiteral("/notarella"));
    PrivateFile::makeFolderAt(AT_FDCWD, folder, 0700);
    const FileDescriptor descriptor(::open(QFile::encodeName(folder).constData(),
                                           O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const FolderProblem problem = descriptor.isValid()
                                      ? judgeFolder(descriptor.get(), FolderRule::Private)
                                      : FolderProblem::Failed;
    const bool closed =
        problem == FolderProblem::None ||
        (problem == FolderProblem::WritableByOthers && ::fchmod(descriptor.get(), 0700) == 0);
    return closed ? folder : QString();
}

QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    if (const passwd *entry = getpwuid(geteuid()); entry && entry->pw_dir)
        return QFile::decodeName(entry->pw_dir);
    return QString();
}

} // namespace

QString privateRuntimeFolderFor(const QString &runtimeDirectory,
                                const QString &systemRuntimeDirectory, const QString &cacheHome)
{
    for (const QString &candidate : {runtimeDirectory, systemRuntimeDirectory}) {
        if (isUsable(candidate))
            return QDir::cleanPath(candidate);
    }
    return ownCacheFolder(cacheHome);
}

QString privateRuntimeFolder()
{
    QString cacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cacheHome)) {
        const QString home = homeFolder();
        cacheHome = home.isEmpty() ? QString() : home + QStringLiteral("/.cache");
    }
    return privateRuntimeFolderFor(qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                   QStringLiteral("/run/user/%1").arg(geteuid()), cacheHome);
}

} // namespace Platform
