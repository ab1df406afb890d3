// SPDX-License-Identifier: GPL-3.0-or-later
// A size target met by searching the quality: the image is decoded and scaled once, and
// only the encoder runs again for each quality the search tries.
#pragma once

#include "processing/JpegReencoder.h"
#include "processing/QualitySearch.h"

#include <QString>

#include <functional>

namespace brelin {

struct SizeFit
{
    enum Outcome { Fits, TooLarge, Failed } outcome = Failed;
    int quality = 0;     // Fits: the quality of the result written
    qint64 smallest = 0; // TooLarge: the smallest whole result found
};

// `made` holds the whole result (kept markers and gain map in) at `first`, the search's
// first quality, whose image alone had `firstPrimary` bytes. What the markers and the map
// add is the same at every quality, so the other qualities are judged by their images (one
// counted larger than the room left is not made); `complete` adds them to the one that is
// written, which is then checked again. On Fits,
// `made` holds the result at the quality the search ends at; `reason` is set on Failed.
SizeFit fitToSize(qint64 target, JpegReencoder& encoder, QualitySearch& search, int first,
                  qint64 firstPrimary, const QString& made,
                  const std::function<bool(const QString&)>& complete, QString& reason);

// "At this size the smallest result is 412 kB, more than the 200 kB asked." (kB of 1024
// bytes, as the file list counts them).
QString tooLargeReason(qint64 smallest, qint64 target);

} // namespace brelin
