// SPDX-License-Identifier: GPL-3.0-or-later
// A PNG file of an 8-bit RGBA or RGB bitmap, for the icons Brelin makes. Qt Core's
// zlib does the compression, so the engine needs no image library for it.
#pragma once

#include "scaling/Bitmap.h"

#include <QByteArray>

namespace brelin {

// The PNG bytes of `image` (3 or 4 channels); empty for an empty or unsupported bitmap.
QByteArray encodePng(const Bitmap& image);

} // namespace brelin
