// SPDX-License-Identifier: GPL-3.0-or-later
// Our bitmaps as Qt images, for drawing: grey, RGB, or the scaler's RGBA.
#pragma once

#include "scaling/Bitmap.h"

#include <QImage>

inline QImage toQImage(const Bitmap& b)
{
    const QImage::Format format = b.channels == 1   ? QImage::Format_Grayscale8
                                  : b.channels == 4 ? QImage::Format_RGBA8888
                                                    : QImage::Format_RGB888;
    return QImage(b.pixels.data(), b.width, b.height, qsizetype(b.stride()), format).copy();
}
