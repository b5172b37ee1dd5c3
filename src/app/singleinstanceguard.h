#pragma once

#include "platform/instancelock.h"
#include "platform/processlist.h"

#include <QString>

// Decides at start-up whether this process may run: only one copy of the
// program runs per user. The decision is the per-user lock file (atomic, and
// taken over from a copy that died) in the user's private runtime folder; the
// process list confirms that the holder is a copy of this program.
namespace SingleInstanceGuard {

enum class Verdict
{
    Run,
    AlreadyRunning
};

// `copiesForUser` counts the processes of this program running for the user
// on the same note file, this one included.
Verdict decide(Platform::InstanceLock::State lockState, int copiesForUser);

// The note file `process` works on: the one its executable's folder and its
// environment (user name, data folder) lead to, as they do for this process.
QString noteFileOf(const Platform::ProcessEntry &process);

// How many of `processes` run for `userName` on `noteFile`. Copies of the
// program run on other note files (another installation, another test's
// folder) are no second copy of this one.
int countCopiesOn(const QList<Platform::ProcessEntry> &processes, const QString &userName,
                  const QString &noteFile);

// The folder of the lock and of the command socket (see
// Platform::privateRuntimeFolder); empty when the user has none.
QString runtimeFolder();

// Takes the current user's lock in the runtime folder, keeps it for the rest
// of the process and gives the verdict. Asking again in the same process
// keeps the lock it already has.
Verdict check();

// True when another running copy of the program holds the current user's
// lock: a copy that may still be loading its notes. Never takes the lock.
bool anotherCopyHoldsLock();

} // namespace SingleInstanceGuard
