// SPDX-License-Identifier: GPL-3.0-or-later
// Brelin's own JPEG encoder for planes: each 8×8 block transformed and quantised here as
// the rows come, then written by libjpeg from the coefficients with the scan script that
// makes the smallest file.
#pragma once

#include "encoding/BlockQuantiser.h"
#include "encoding/CoefficientImage.h"
#include "platform/JpegError.h"
#include "scaling/Bitmap.h"
#include "scaling/RowProgress.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace brelin {

struct PlaneEncodeSetting
{
    int quality = 80;
    bool resampled = true;   // the luma table for resampled images
    bool progressive = true; // progressive scripts compete with the baseline one
    QuantiserSetting quantiser;
};

// The quantised blocks of the planes, as encodePlanes writes them.
std::optional<CoefficientImage> quantisePlanes(const std::vector<const Bitmap*>& planes,
                                               const PlaneEncodeSetting& setting, JpegError& error,
                                               const std::vector<const RowProgress*>& ready = {});

// One grey plane, or Y, Cb and Cr with the chroma planes at chromaSize of the luma's. With
// `ready`, each plane is still being made and its blocks are quantised as its rows are
// announced there.
std::optional<std::vector<uint8_t>> encodePlanes(const std::vector<const Bitmap*>& planes,
                                                 const PlaneEncodeSetting& setting,
                                                 JpegError& error,
                                                 const std::vector<const RowProgress*>& ready = {});

} // namespace brelin
