#pragma once

#include <QString>

// The per-user state the program keeps outside its own folder: the settings
// store and the log-in start entry. Tests reset it between cases.
namespace SandboxState {

// Removes every key of the program's settings store and the log-in start
// entry, as for a user who never ran the program. Ends the test program when
// run outside tests/support/sandbox-run, so a real user's settings are safe.
void reset();

// The sandbox folder given by sandbox-run.
QString sandboxFolder();

} // namespace SandboxState
