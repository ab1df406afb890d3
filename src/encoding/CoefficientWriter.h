// SPDX-License-Identifier: GPL-3.0-or-later
// Coefficients Brelin quantised, written as a JPEG stream with Huffman tables made for
// them: baseline by libjpeg's transcoder, progressive by Brelin's scan coder, which
// writes the bytes libjpeg's transcoder would.
#pragma once

#include "encoding/CoefficientImage.h"
#include "encoding/ScanScript.h"
#include "encoding/ScanSearch.h"
#include "platform/JpegError.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace brelin {

// The stream of `image` with the scans of `script` (a JFIF stream, no other segments).
// With `largest`, progressive scans whose count already says the stream would be larger
// are not written: none is returned, with OverSize and the count in `error`.
std::optional<std::vector<uint8_t>> writeCoefficients(const CoefficientImage& image,
                                                      ScanScript script, JpegError& error,
                                                      size_t largest = 0);

// The same with the progressive scans of `scans`, which libjpeg checks.
std::optional<std::vector<uint8_t>>
writeCoefficients(const CoefficientImage& image, const std::vector<Scan>& scans, JpegError& error);

} // namespace brelin
