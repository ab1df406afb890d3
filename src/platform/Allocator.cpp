// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Allocator.h"

#include <malloc.h>

namespace brelin {

void keepLargeBuffersForTheNextFile()
{
    // 32 MiB is the largest threshold glibc accepts on 64-bit systems.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    // A file's threads come and go, and each new one may take an arena of its own whose
    // freed buffers no later file reuses: memory would grow with the number of arenas.
    // In one arena the next file, on whatever thread, finds the buffers the last one freed.
    mallopt(M_ARENA_MAX, 1);
}

} // namespace brelin
