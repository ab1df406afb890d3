// SPDX-License-Identifier: GPL-3.0-or-later
// Allocator settings for batch work.
#pragma once

namespace brelin {

// Each file is decoded and scaled on a thread of its own, into buffers of tens of
// megabytes. glibc would map and unmap each of them, and the next file would fault
// every page in again; with these settings the freed buffers serve the next file, and
// a run of N files at once stays within N times the peak of its largest file.
void keepLargeBuffersForTheNextFile();

} // namespace brelin
