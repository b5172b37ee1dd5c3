#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>

namespace Platform {

// One running process as the single-instance check sees it.
struct ProcessEntry
{
    qint64 pid = 0;
    QString executable;              // full path of its executable, as the system reports it
    QString userName;                // the user it runs for (see processesRunning)
    QProcessEnvironment environment; // as it was when the process started
};

// Every process whose executable file is named `executableName`, read from
// the process folder `procRoot` (the system's "/proc"; tests pass a folder of
// their own). A process's user is the one it names itself by, with the same
// rule as currentUserName(): USERNAME, USER, LOGNAME in its environment, else
// the account of its user id. Processes that vanish while being read are
// left out.
QList<ProcessEntry> processesRunning(const QString &executableName,
                                     const QString &procRoot = QStringLiteral("/proc"));

// How many of `processes` run for `userName`. Names are compared as plain
// text: "a.b" never stands for "axb", and "bob" never for "bobby".
int countRunningFor(const QList<ProcessEntry> &processes, const QString &userName);

} // namespace Platform
