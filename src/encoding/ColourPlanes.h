// SPDX-License-Identifier: GPL-3.0-or-later
// An RGB bitmap as the planes JPEG stores: Y at full size, Cb and Cr halved both ways, as
// libjpeg converts and halves them (JFIF's full-range YCbCr, 2 × 2 averages with its
// alternating rounding), so that Brelin's encoder serves RGB and CMYK sources too.
#pragma once

#include "scaling/Bitmap.h"

#include <vector>

namespace brelin {

// Y, Cb, Cr of a 3- or 4-channel bitmap (the fourth channel is left out), or the one plane
// of a grey bitmap; with `grey`, only Y of an RGB one whose channels are equal.
std::vector<Bitmap> colourPlanesOf(const Bitmap& rgb, bool grey);

} // namespace brelin
