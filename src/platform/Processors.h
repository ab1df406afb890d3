// SPDX-License-Identifier: GPL-3.0-or-later
// How many files a run may work on at once.
#pragma once

namespace brelin {

// The processors this process may run on (a container or taskset may give it fewer than
// the machine has).
int usableProcessors();

} // namespace brelin
