// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/Thumbnail.h"

#include "platform/ExifOrientation.h"
#include "platform/JpegCodec.h"
#include "scaling/BRImageScaler.h"
#include "scaling/Orientation.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace brelin {
namespace {

std::optional<Bitmap> fitted(std::span<const uint8_t> jpeg, const JpegInfo& info, int maxSide,
                             double oversample)
{
    int shrink = 8;
    while (shrink > 1 && double(std::max(info.width, info.height)) / shrink < oversample * maxSide)
        shrink /= 2;
    JpegError error;
    auto decoded = decodeJpeg(jpeg, shrink, error, true);
    if (!decoded)
        return std::nullopt;
    if (std::max(decoded->bitmap.width, decoded->bitmap.height) <= maxSide)
        return std::move(decoded->bitmap);
    BRImageScaler scaler;
    scaler.setInputBitmapImageRep(std::make_shared<const Bitmap>(std::move(decoded->bitmap)),
                                  info.width, info.height);
    scaler.setScalingTypeAbsolute(true);
    scaler.setMaxPixelsWide(maxSide);
    scaler.setMaxPixelsHigh(maxSide);
    return scaler.outputBitmapImageRep();
}

} // namespace

std::optional<Bitmap> thumbnailOf(std::span<const uint8_t> jpeg, int maxSide,
                                  std::span<const uint8_t> embedded, double oversample)
{
    JpegError error;
    const auto info = readJpegInfo(jpeg, error);
    if (!info || info->width <= 0 || info->height <= 0)
        return std::nullopt;
    std::optional<Bitmap> picture;
    if (!embedded.empty()) {
        const auto small = readJpegInfo(embedded, error);
        const double shape = double(info->width) / info->height;
        if (small && small->height > 0 &&
            std::abs(double(small->width) / small->height - shape) < 0.02 * shape)
            picture = fitted(embedded, *small, maxSide, oversample);
    }
    if (!picture)
        picture = fitted(jpeg, *info, maxSide, oversample);
    if (!picture)
        return std::nullopt;
    return turnUpright(*picture, jpegOrientation(jpeg));
}

} // namespace brelin
