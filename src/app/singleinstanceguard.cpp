#include "app/singleinstanceguard.h"

#include "base/apppaths.h"
#include "base/tracing.h"
#include "platform/privateruntimefolder.h"
#include "platform/username.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <memory>

namespace SingleInstanceGuard {
namespace {

QString lockPath()
{
    return Platform::InstanceLock::pathFor(runtimeFolder(), Platform::currentUserName());
}

QList<Platform::ProcessEntry> runningCopies()
{
    return Platform::processesRunning(QFileInfo(AppPaths::executablePath()).fileName());
}

// One file however it is spelled: through links, "..", doubled slashes.
QString comparable(const QString &file)
{
    const QFileInfo info(file);
    const QString canonicalFolder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return canonicalFolder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                     : canonicalFolder + QLatin1Char('/') + info.fileName();
}

// Qt's rule for the user's data folder, applied to another process.
QString dataHomeOf(const QProcessEnvironment &environment)
{
    const QString dataHome = environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (!dataHome.isEmpty())
        return dataHome;
    return environment.value(QStringLiteral("HOME")) + QStringLiteral("/.local/share");
}

} // namespace

Verdict decide(Platform::InstanceLock::State lockState, int copiesForUser)
{
    using State = Platform::InstanceLock::State;
    switch (lockState) {
    case State::Acquired:
        // Whoever holds the lock runs; copies started beside it find the lock
        // taken, so two copies started together never both give up.
        return Verdict::Run;
    case State::HeldByAnother:
    case State::Unavailable:
        break;
    }
    return copiesForUser > 1 ? Verdict::AlreadyRunning : Verdict::Run;
}

QString noteFileOf(const Platform::ProcessEntry &process)
{
    const QString folder = QFileInfo(process.executable).absolutePath();
    return AppPaths::noteDataDirectoryFor(folder, dataHomeOf(process.environment)) +
           process.userName;
}

int countCopiesOn(const QList<Platform::ProcessEntry> &processes, const QString &userName,
                  const QString &noteFile)
{
    const QString wanted = comparable(noteFile);
    return int(std::count_if(processes.cbegin(), processes.cend(), [&](const auto &process) {
        return process.userName == userName && comparable(noteFileOf(process)) == wanted;
    }));
}

QString runtimeFolder()
{
    return Platform::privateRuntimeFolder();
}

Verdict check()
{
    static std::unique_ptr<Platform::InstanceLock> held;
    const QString path = lockPath();
    if (!held || held->path() != path)
        held = std::make_unique<Platform::InstanceLock>(path);

    const auto lockState = held->tryAcquire();
    int copies = 1;
    if (lockState != Platform::InstanceLock::State::Acquired) {
        const QString userName = Platform::currentUserName();
        copies = countCopiesOn(runningCopies(), userName, AppPaths::noteDataDirectory() + userName);
    }
    qCDebug(lcApp) << "   +-- instance lock" << path << "state" << int(lockState) << "copies"
                   << copies;
    return decide(lockState, copies);
}

bool anotherCopyHoldsLock()
{
    qint64 holder = 0;
    const QString path = lockPath();
    if (path.isEmpty() || !QLockFile(path).getLockInfo(&holder, nullptr, nullptr) ||
        holder == QCoreApplication::applicationPid())
        return false;
    const QList<Platform::ProcessEntry> copies = runningCopies();
    return std::any_of(copies.cbegin(), copies.cend(),
                       [holder](const Platform::ProcessEntry &copy) { return copy.pid == holder; });
}

} // namespace SingleInstanceGuard
