#include "platform/Allocator.h"

#include <malloc.h>

namespace brelin {

void keepLargeBuffersForTheNextFile()
{
    // 32 MiB is the largest threshold glibc accepts on 64-bit systems.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
}

} // namespace brelin
