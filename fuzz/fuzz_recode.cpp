// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the lossless rewrite of the copy branch on a whole file. Whatever it
// returns must hold the source's coefficients and the source's other segments, and be
// smaller than the source's first image.
#include "encoding/LosslessRecode.h"
#include "encoding/StreamParts.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace brelin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> jpeg(data, size);
    // Small images keep each run short; the same code runs on larger ones.
    const auto header = headerSegments(jpeg);
    if (!header)
        return 0;
    for (const Segment& s : *header)
        if (s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xCC &&
            s.size >= 9) {
            const uint32_t h = uint32_t(data[s.at + 5]) << 8 | data[s.at + 6];
            const uint32_t w = uint32_t(data[s.at + 7]) << 8 | data[s.at + 8];
            if (uint64_t(w) * h > (uint64_t(1) << 16))
                return 0;
        }
    const bool progressive = size && (data[size - 1] & 1);
    std::string why;
    const auto smaller = smallestLosslessRecode(jpeg, progressive, why);
    if (!smaller)
        return 0;
    const auto parts = streamParts(jpeg);
    if (!parts || smaller->size() >= parts->end)
        abort();
    if (!sameCoefficients(jpeg.first(parts->end), *smaller))
        abort();
    // The rewrite is itself a whole stream that rewrites to the same coefficients.
    const auto again = recodeLosslessly(*smaller, ScanLayout::Baseline, why);
    if (again && !sameCoefficients(*again, *smaller))
        abort();
    return 0;
}
