#include "app/singleinstanceguard.h"

#include "base/apppaths.h"
#include "base/tracing.h"
#include "platform/processlist.h"
#include "platform/username.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

namespace SingleInstanceGuard {

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

Verdict check()
{
    static std::unique_ptr<Platform::InstanceLock> held;
    const QString userName = Platform::currentUserName();
    const QString path = Platform::InstanceLock::pathFor(
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), userName);
    if (!held || held->path() != path)
        held = std::make_unique<Platform::InstanceLock>(path);

    const auto lockState = held->tryAcquire();
    int copies = 1;
    if (lockState != Platform::InstanceLock::State::Acquired) {
        const QString executableName = QFileInfo(AppPaths::executablePath()).fileName();
        copies = Platform::countRunningFor(Platform::processesRunning(executableName), userName);
    }
    qCDebug(lcApp) << "   +-- instance lock" << path << "state" << int(lockState) << "copies"
                   << copies;
    return decide(lockState, copies);
}

bool anotherCopyHoldsLock()
{
    const QString path = Platform::InstanceLock::pathFor(
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
        Platform::currentUserName());
    qint64 holder = 0;
    if (!QLockFile(path).getLockInfo(&holder, nullptr, nullptr) ||
        holder == QCoreApplication::applicationPid())
        return false;
    const QString executableName = QFileInfo(AppPaths::executablePath()).fileName();
    const QList<Platform::ProcessEntry> copies = Platform::processesRunning(executableName);
    return std::any_of(copies.cbegin(), copies.cend(),
                       [holder](const Platform::ProcessEntry &copy) { return copy.pid == holder; });
}

} // namespace SingleInstanceGuard
