// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: what wrjpgcom parses, a payload and a whole JPEG stream.
// The first byte picks the marker kind (APP0..APP15, or the comment), the next two
// give the payload's length, then come the payload and the stream.
#include "markers/MarkerTools.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const unsigned kind = data[0] % 17;
    size_t payloadSize = size_t(data[1]) << 8 | data[2];
    payloadSize = std::min(payloadSize, size - 3);
    const std::span<const uint8_t> payload(data + 3, payloadSize);
    const std::span<const uint8_t> stream(data + 3 + payloadSize, size - 3 - payloadSize);

    markers::Reader in = markers::Reader::fromMemory(stream);
    std::vector<uint8_t> out;
    markers::Writer w = markers::Writer::toMemory(out);
    const markers::Result r =
        kind == 16 ? markers::replaceComments(in, payload, w)
                   : markers::replaceAppSegments(in, uint8_t(0xE0 + kind), payload, w);
    w.flush();
    // What the tool writes on success is itself a whole stream.
    if (r.ok && !markers::checkStream(out).ok)
        __builtin_trap();
    return 0;
}
