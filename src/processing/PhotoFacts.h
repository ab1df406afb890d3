// SPDX-License-Identifier: GPL-3.0-or-later
// What the list shows of a photo: its upright pixel size, its bytes, whether it carries
// an HDR gain map, and a small upright picture. Read off the interface thread.
#pragma once

#include "scaling/Bitmap.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

namespace brelin {

struct PhotoFacts
{
    bool readable = false; // false: a file libjpeg cannot read the header of
    QSize size;            // as shown: turned by its EXIF orientation
    qint64 bytes = 0;
    bool hdr = false;
    std::optional<Bitmap> thumbnail; // when asked for and it could be made
};

// `thumbnailSide` 0 makes no thumbnail.
PhotoFacts readPhotoFacts(const QString& path, int thumbnailSide);

// The pixel size of a JPEG stream as shown, turned by its EXIF orientation; invalid when
// its header cannot be read.
QSize uprightPixelSize(std::span<const uint8_t> jpeg);

} // namespace brelin
