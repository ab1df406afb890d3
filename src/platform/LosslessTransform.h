// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a JPEG's image data to the upright position of an EXIF orientation without
// decoding it (libjpeg-turbo's lossless transforms on DCT blocks).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brelin {

// True when the transform for `orientation` (2..8) moves only whole blocks, so it is
// exact; partial blocks at the edges would be left behind or cut off otherwise.
bool canTurnUprightLosslessly(std::span<const uint8_t> jpeg, int orientation);

// The JPEG with its image data turned as `orientation` says a viewer would show it,
// its other markers copied. None, with a reason, when the transform is not exact.
std::optional<std::vector<uint8_t>> turnUprightLosslessly(std::span<const uint8_t> jpeg,
                                                          int orientation, std::string& error);

} // namespace brelin
