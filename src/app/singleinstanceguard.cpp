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
namespace {

QString lockPath()
{
    return Platform::InstanceLock::pathFor(
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
        Platform::currentUserName());
}

QList<Platform::ProcessEntry> runningCopies()
{
    return Platform::processesRunning(QFileInfo(AppPaths::executablePath()).fileName());
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

Verdict check()
{
    static std::unique_ptr<Platform::InstanceLock> held;
    const QString path = lockPath();
    if (!held || held->path() != path)
        held = std::make_unique<Platform::InstanceLock>(path);

    const auto lockState = held->tryAcquire();
    int copies = 1;
    if (lockState != Platform::InstanceLock::State::Acquired)
        copies = Platform::countRunningFor(runningCopies(), Platform::currentUserName());
    qCDebug(lcApp) << "   +-- instance lock" << path << "state" << int(lockState) << "copies"
                   << copies;
    return decide(lockState, copies);
}

bool anotherCopyHoldsLock()
{
    qint64 holder = 0;
    if (!QLockFile(lockPath()).getLockInfo(&holder, nullptr, nullptr) ||
        holder == QCoreApplication::applicationPid())
        return false;
    const QList<Platform::ProcessEntry> copies = runningCopies();
    return std::any_of(copies.cbegin(), copies.cend(),
                       [holder](const Platform::ProcessEntry &copy) { return copy.pid == holder; });
}

} // namespace SingleInstanceGuard
