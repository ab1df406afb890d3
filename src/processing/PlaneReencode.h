// SPDX-License-Identifier: GPL-3.0-or-later
// The re-encode step for YCbCr and grey JPEGs: each plane is resampled as it is stored,
// while the decoder fills it on one core and the encoder follows the finished rows.
#pragma once

#include "platform/JpegCodec.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brelin {

struct PlaneReencodeJob
{
    int outW = 0; // the output's size before any turn
    int outH = 0;
    float factor = 1.0f; // the effective factor on the full-size image
    int shrink = 1;      // reduction in the DCT domain
    int orientation = 1; // turned upright when not 1
    float quality = 0.8f;
    bool resampled = true;   // false when the output is the source at its own size
    bool progressive = true; // progressive scans where they are smaller
    // When set and true, the decode stops early and the re-encode fails (Decode).
    const std::atomic<bool>* abandon = nullptr;
};

enum class PlaneReencodeFailure {
    None,
    Decode,
    Scale,
    Encode,
};

// The planes of a finished re-encode, kept for encoding them again at other qualities.
struct ScaledPlanes;

// With `kept`, the scaled planes are handed there once the encode has succeeded.
std::optional<std::vector<uint8_t>>
reencodePlanes(std::span<const uint8_t> jpeg, const JpegInfo& info, const PlaneReencodeJob& job,
               PlaneReencodeFailure& failure, JpegError& error,
               std::shared_ptr<const ScaledPlanes>* kept = nullptr);

// The kept planes encoded as reencodePlanes encodes them, at quality `q`; `largest` as
// PlaneEncodeSetting has it.
std::optional<std::vector<uint8_t>> encodeScaledPlanes(const ScaledPlanes& planes, float q,
                                                       JpegError& error, size_t largest = 0);

} // namespace brelin
