// SPDX-License-Identifier: GPL-3.0-or-later
// How many files a run may work on at once, and work that gives way to it.
#pragma once

namespace brelin {

// The processors this process may run on (a container or taskset may give it fewer than
// the machine has).
int usableProcessors();

// Lowers the calling thread's scheduling priority (nice 10), and that of the threads it
// starts from now on: background work that must not slow a run or the interface.
void lowerThreadPriority();

} // namespace brelin
