#pragma once

namespace Platform {

// Makes the calling thread yield to the program's other threads when the
// processors are busy: background work then does not hold up the GUI thread
// that handed it over. Harmless where the system does not allow it.
void lowerCurrentThreadPriority();

} // namespace Platform
