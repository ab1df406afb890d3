// SPDX-License-Identifier: GPL-3.0-or-later
// The quality a JPEG was saved at, read from its luma quantisation table: encoding it
// again at a higher one spends bytes on detail the photo does not have.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace brelin {

// The libjpeg quality (1…100) whose scaled standard luma table is nearest the table of
// `jpeg`'s first component, taken entry by entry as ratios; a camera's own table gets the
// quality nearest it too. None when the header holds no such table.
std::optional<int> sourceQuality(std::span<const uint8_t> jpeg);

// libjpeg's luma table at `quality`, in zigzag order, each entry capped at `largest`.
void scaledLumaTable(int quality, int largest, uint16_t (&table)[64]);

} // namespace brelin
