// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Processors.h"

#include <algorithm>
#include <sched.h>
#include <thread>

namespace brelin {

int usableProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return std::max(1, CPU_COUNT(&set));
    return std::max(1, int(std::thread::hardware_concurrency()));
}

} // namespace brelin
