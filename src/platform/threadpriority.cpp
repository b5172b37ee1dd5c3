#include "platform/threadpriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace Platform {

void lowerCurrentThreadPriority()
{
    // Linux keeps a nice value per thread, addressed by its thread id.
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    const int current = ::getpriority(PRIO_PROCESS, thread);
    ::setpriority(PRIO_PROCESS, thread, current + 5);
}

} // namespace Platform
