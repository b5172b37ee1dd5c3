#include "platform/privateruntimefolder.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {
namespace {

// The folder at `path` opened without following a symbolic link there, or -1.
int openFolder(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(),
                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool isOwnedAndClosed(const struct stat &info)
{
    return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

bool isUsable(const QString &path)
{
    return !path.isEmpty() && QDir::isAbsolutePath(path) && isPrivateFolder(path);
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
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    const int descriptor = openFolder(folder);
    if (descriptor < 0)
        return QString();
    struct stat info = {};
    bool usable =
        ::fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
    if (usable && (info.st_mode & 077) != 0)
        usable = ::fchmod(descriptor, 0700) == 0;
    ::close(descriptor);
    return usable ? folder : QString();
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

bool isPrivateFolder(const QString &path)
{
    const int descriptor = openFolder(path);
    if (descriptor < 0)
        return false;
    struct stat info = {};
    const bool closed = ::fstat(descriptor, &info) == 0 && isOwnedAndClosed(info);
    ::close(descriptor);
    return closed;
}

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
