#pragma once

#include "platform/instancelock.h"

#include <QString>

// Decides at start-up whether this process may run: only one copy of the
// program runs per user. The decision is the per-user lock file (atomic, and
// taken over from a copy that died); the process list confirms that the
// holder is a copy of this program.
namespace SingleInstanceGuard {

enum class Verdict
{
    Run,
    AlreadyRunning
};

// `copiesForUser` counts the processes of this program running for the user,
// this one included.
Verdict decide(Platform::InstanceLock::State lockState, int copiesForUser);

// Takes the current user's lock in the runtime folder, keeps it for the rest
// of the process and gives the verdict. Asking again in the same process
// keeps the lock it already has.
Verdict check();

// True when another running copy of the program holds the current user's
// lock: a copy that may still be loading its notes. Never takes the lock.
bool anotherCopyHoldsLock();

} // namespace SingleInstanceGuard
