#include "platform/username.h"

#include <pwd.h>
#include <unistd.h>

namespace Platform {

QString currentUserName()
{
    for (const char *variable : {"USERNAME", "USER", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    if (const passwd *entry = getpwuid(geteuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return QString();
}

} // namespace Platform
