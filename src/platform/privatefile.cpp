#include "platform/privatefile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace PrivateFile {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

Platform::FileDescriptor createAt(int folder, const QString &name, Access access, Created *created,
                                  QString *error)
{
    const mode_t mode = access == Access::UserOnly ? 0600 : 0666;
    Platform::FileDescriptor fd(::openat(folder, QFile::encodeName(name).constData(),
                                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                         mode));
    if (!fd.isValid()) {
        if (error)
            *error = systemError();
        *created = errno == EEXIST ? Created::Exists : Created::Failed;
        return fd;
    }
    // The umask may only take bits away; a private mode is set whole all the
    // same.
    if (access == Access::UserOnly)
        ::fchmod(fd.get(), 0600);
    *created = Created::Yes;
    return fd;
}

Created create(const QString &path, QString *error)
{
    Created created = Created::Failed;
    createAt(AT_FDCWD, path, Access::UserOnly, &created, error);
    return created;
}

bool makeFolderAt(int folder, const QString &name, int mode)
{
    return ::mkdirat(folder, QFile::encodeName(name).constData(), mode_t(mode)) == 0 ||
           errno == EEXIST;
}

bool makeFolders(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QString done;
    for (const QString &part : clean.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        done += QLatin1Char('/') + part;
        if (!makeFolderAt(AT_FDCWD, done, 0700))
            return false;
    }
    struct stat status = {};
    return ::stat(QFile::encodeName(clean).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool copy(const QString &source, const QString &target, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    Created created = Created::Failed;
    Platform::FileDescriptor fd = createAt(AT_FDCWD, target, Access::UserOnly, &created, error);
    if (created != Created::Yes)
        return false;
    QFile out;
    bool ok = out.open(fd.get(), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    if (ok)
        fd.release(); // the QFile closes it now
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
