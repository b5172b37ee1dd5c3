#include "sandboxstate.h"

#include "platform/autostartentry.h"
#include "platform/nativesettings.h"

#include <QDir>
#include <QFile>

namespace SandboxState {

QString sandboxFolder()
{
    return qEnvironmentVariable("NOTARELLA_SANDBOX");
}

void reset()
{
    const QString sandbox = sandboxFolder();
    const QString settingsFile = NativeSettings::fileName();
    if (sandbox.isEmpty() || !settingsFile.startsWith(sandbox + QLatin1Char('/')) ||
        !AutostartEntry::entryPath().startsWith(sandbox + QLatin1Char('/')))
        qFatal("refusing to reset settings outside the test sandbox (%s)",
               qPrintable(settingsFile));
    NativeSettings::remove(QString());
    AutostartEntry::remove();
}

} // namespace SandboxState
