// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Processors.h"

#include <algorithm>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace brelin {

int usableProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return std::max(1, CPU_COUNT(&set));
    return std::max(1, int(std::thread::hardware_concurrency()));
}

void lowerThreadPriority()
{
    // On Linux a nice value belongs to the thread, and new threads inherit it; at worst
    // the thread keeps its priority, which changes no result.
    const auto self = id_t(::syscall(SYS_gettid));
    (void)::setpriority(PRIO_PROCESS, self, std::max(10, ::getpriority(PRIO_PROCESS, self)));
}

} // namespace brelin
