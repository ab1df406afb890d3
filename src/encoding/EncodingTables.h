// SPDX-License-Identifier: GPL-3.0-or-later
// The quantisation tables Brelin encodes with at a quality.
#pragma once

#include <cstdint>

namespace brelin {

// Luma and chroma steps in natural order, 8-bit (baseline) as libjpeg makes them with
// chooseEncoding.
// False only when libjpeg ran out of memory.
bool encodingTables(int quality, bool resampled, uint16_t (&luma)[64], uint16_t (&chroma)[64]);

} // namespace brelin
