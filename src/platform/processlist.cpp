#include "platform/processlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>

namespace Platform {
namespace {

QProcessEnvironment environmentOf(const QString &processFolder)
{
    QProcessEnvironment environment;
    QFile file(processFolder + QStringLiteral("/environ"));
    if (!file.open(QIODevice::ReadOnly))
        return environment;
    const QList<QByteArray> entries = file.readAll().split('\0');
    for (const QByteArray &entry : entries) {
        const qsizetype equals = entry.indexOf('=');
        if (equals > 0 && !environment.contains(QString::fromLocal8Bit(entry.left(equals))))
            environment.insert(QString::fromLocal8Bit(entry.left(equals)),
                               QString::fromLocal8Bit(entry.mid(equals + 1)));
    }
    return environment;
}

QString environmentUserName(const QProcessEnvironment &environment)
{
    for (const QString &variable :
         {QStringLiteral("USERNAME"), QStringLiteral("USER"), QStringLiteral("LOGNAME")}) {
        const QString value = environment.value(variable);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

QString accountUserName(const QString &processFolder)
{
    QFile file(processFolder + QStringLiteral("/status"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // Files under /proc report a size of 0, so they are read whole, never
    // line by line up to an end that seems reached at once.
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (!line.startsWith("Uid:"))
            continue;
        bool isNumber = false;
        const uint uid = line.mid(4).simplified().split(' ').value(0).toUInt(&isNumber);
        if (!isNumber)
            return QString();
        if (const passwd *entry = getpwuid(uid); entry && entry->pw_name)
            return QString::fromLocal8Bit(entry->pw_name);
        return QString::number(uid);
    }
    return QString();
}

} // namespace

QList<ProcessEntry> processesRunning(const QString &executableName, const QString &procRoot)
{
    QList<ProcessEntry> found;
    const QStringList folders = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &folder : folders) {
        bool isNumber = false;
        const qint64 pid = folder.toLongLong(&isNumber);
        if (!isNumber)
            continue;
        const QString processFolder = procRoot + QLatin1Char('/') + folder;
        // A deleted executable (the program was rebuilt or updated while
        // running) is reported with " (deleted)" after its path.
        QString executable = QFileInfo(processFolder + QStringLiteral("/exe")).symLinkTarget();
        executable.remove(QStringLiteral(" (deleted)"));
        if (executable.isEmpty() || QFileInfo(executable).fileName() != executableName)
            continue;
        const QProcessEnvironment environment = environmentOf(processFolder);
        QString userName = environmentUserName(environment);
        if (userName.isEmpty())
            userName = accountUserName(processFolder);
        if (!QFileInfo::exists(processFolder))
            continue; // ended while being read
        found.append({pid, executable, userName, environment});
    }
    return found;
}

int countRunningFor(const QList<ProcessEntry> &processes, const QString &userName)
{
    return int(std::count_if(processes.cbegin(), processes.cend(), [&](const ProcessEntry &entry) {
        return entry.userName == userName;
    }));
}

} // namespace Platform
