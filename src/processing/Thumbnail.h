// SPDX-License-Identifier: GPL-3.0-or-later
// Small upright pictures of a JPEG: for file icons and the info panel.
#pragma once

#include "scaling/Bitmap.h"

#include <cstdint>
#include <optional>
#include <span>

namespace brelin {

// The image fitted within maxSide × maxSide pixels and turned by its EXIF orientation:
// decoded reduced in the DCT domain to at least `oversample` times that size, then
// Lanczos-filtered. Below 1, the reduced decode may come out a little smaller than
// maxSide and is returned as it is: enough for a picture that is scaled again when shown.
// `embedded` is the file's EXIF thumbnail, used instead when it has the image's shape
// (many cameras pad theirs to 4:3 with black bands, which would show).
std::optional<Bitmap> thumbnailOf(std::span<const uint8_t> jpeg, int maxSide,
                                  std::span<const uint8_t> embedded = {}, double oversample = 2);

} // namespace brelin
