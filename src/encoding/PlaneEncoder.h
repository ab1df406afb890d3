// SPDX-License-Identifier: GPL-3.0-or-later
// Brelin's own JPEG encoder for planes: each 8×8 block transformed and quantised here as
// the rows come, then written in the progressive scans chosen for them (ScanSearch,
// ScanCoder).
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
    // Not 0: a size target's probe, which needs no stream surely larger than this
    // (writeCoefficients).
    size_t largest = 0;
    // Measured with bench/encode-compare.sh (six corpus photos fitted into 1920 pixels,
    // qualities 55 to 94, against libjpeg-turbo): lambda 0.02 gives 8.4 % fewer bytes at
    // the same SSIM and 9.8 % at the same butteraugli distance (rounding to the nearest:
    // 5.6 % and 8.8 %), the distance within 5 % of rounding's at every quality. 0.03 takes
    // more on SSIM but adds 6.5 % to the distance at 55; sparing flat blocks measured worse.
    // A full trellis (each coefficient kept, one step lower or dropped, chosen by dynamic
    // programming over the runs) gave the same at 0.02 (9.6 % and 8.4 %) for 13 % more
    // encoding time, and less on butteraugli at 0.05 (7.3 %) and 0.1 (1.6 %).
    QuantiserSetting quantiser{0.02f, 0.0f};
    // Chroma apart: lambda 0 there gave 10.5 % on butteraugli but 7.7 % on (luma) SSIM,
    // 0.05 gave 8.6 % and 8.6 %; with 0 for chroma, 0.04 for luma gave 11.1 % and 7.7 %
    // and 5.7 % more distance at 55.
    QuantiserSetting chromaQuantiser{0.02f, 0.0f};
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
