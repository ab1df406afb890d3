// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the EXIF orientation reader, on APP1 segments as rdjpgcom prints them.
#include "platform/ExifOrientation.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int o = brelin::exifOrientation({data, size});
    if (o < 1 || o > 8)
        __builtin_trap();
    return 0;
}
