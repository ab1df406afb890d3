// SPDX-License-Identifier: GPL-3.0-or-later
// Coefficients Brelin quantised, written as a JPEG stream by libjpeg's transcoder, with
// Huffman tables made for them.
#pragma once

#include "encoding/CoefficientImage.h"
#include "encoding/ScanScript.h"
#include "platform/JpegError.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brelin {

// The stream of `image` with the scans of `script` (a JFIF stream, no other segments).
std::optional<std::vector<uint8_t>> writeCoefficients(const CoefficientImage& image,
                                                      ScanScript script, JpegError& error);

// The smallest of the streams of `scripts` (the first wins a tie).
std::optional<std::vector<uint8_t>>
writeSmallest(const CoefficientImage& image, std::span<const ScanScript> scripts, JpegError& error);

} // namespace brelin
