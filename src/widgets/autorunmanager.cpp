#include "widgets/autorunmanager.h"

#include "base/apppaths.h"
#include "base/tracing.h"
#include "platform/autostartentry.h"

void AutoRunManager::enableAutoRun(bool enable)
{
    qCDebug(lcWidgets) << "AutoRunManager::enableAutoRun(" << enable << ")";
    if (enable)
        AutostartEntry::write(AppPaths::executablePath());
    else
        AutostartEntry::remove();
}

bool AutoRunManager::isAutoRunEnabled() const
{
    const QString stored = AutostartEntry::executable();
    return !stored.isEmpty() && stored == AppPaths::executablePath();
}
