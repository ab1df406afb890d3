// SPDX-License-Identifier: GPL-3.0-or-later
// Turns pixels as an EXIF orientation says a viewer shows them.
#pragma once

#include "scaling/Bitmap.h"

// The bitmap as displayed for EXIF orientation 1..8 (1, or any other value: unchanged).
Bitmap turnUpright(const Bitmap& stored, int orientation);

// Whether the orientation swaps width and height (5 to 8).
inline bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}
