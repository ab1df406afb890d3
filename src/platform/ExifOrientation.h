// SPDX-License-Identifier: GPL-3.0-or-later
// The EXIF orientation tag: read from APP1 segments, and a minimal APP1 that holds
// nothing but it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace brelin {

// The orientation (1..8) of the first EXIF APP1 among `app1Segments` (whole segments,
// as rdjpgcom -raw APP1 prints them); 1 when there is none or it cannot be read.
int exifOrientation(std::span<const uint8_t> app1Segments);

// The orientation of a whole JPEG stream, from its first EXIF APP1; 1 without one.
int jpegOrientation(std::span<const uint8_t> jpeg);

// A whole APP1 segment with an EXIF block whose only entry is the orientation.
std::vector<uint8_t> orientationOnlyApp1(int orientation);

} // namespace brelin
