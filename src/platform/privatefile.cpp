#include "platform/privatefile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PrivateFile {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

Created create(const QString &path, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (error)
            *error = systemError();
        return errno == EEXIST ? Created::Exists : Created::Failed;
    }
    // The umask may only take bits away; the mode is set whole all the same.
    ::fchmod(fd, 0600);
    ::close(fd);
    return Created::Yes;
}

bool makeFolders(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QString done;
    for (const QString &part : clean.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        done += QLatin1Char('/') + part;
        if (::mkdir(QFile::encodeName(done).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat status = {};
    return ::stat(QFile::encodeName(clean).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool isOwnFolder(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool copy(const QString &source, const QString &target, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    if (create(target, error) != Created::Yes)
        return false;
    QFile out(target);
    bool ok = out.open(QIODevice::WriteOnly);
    while (ok && !in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        ok = !block.isEmpty() && out.write(block) == block.size();
    }
    ok = ok && out.flush();
    if (!ok) {
        *error = out.error() != QFileDevice::NoError ? out.errorString() : in.errorString();
        out.close();
        QFile::remove(target);
    }
    return ok;
}

} // namespace PrivateFile
