// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: what rdjpgcom parses, the segments before the first scan.
#include "markers/MarkerTools.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> input(data, size);
    for (uint8_t marker : {uint8_t(0xE1), uint8_t(0xE2), uint8_t(0xEE)}) {
        markers::Reader in = markers::Reader::fromMemory(input);
        std::vector<uint8_t> out;
        markers::Writer w = markers::Writer::toMemory(out);
        markers::readAppSegments(in, marker, w);
    }
    markers::Reader in = markers::Reader::fromMemory(input);
    std::vector<uint8_t> out;
    markers::Writer w = markers::Writer::toMemory(out);
    markers::readComments(in, w);
    markers::checkStream(input);
    return 0;
}
