// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG decoding and encoding over the libjpeg API. libjpeg never exits here: its errors
// come back as results with their kind and message, and a warning about the image data
// counts as an error.
#pragma once

#include "platform/JpegError.h"
#include "scaling/Bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brelin {

struct JpegInfo
{
    int width = 0;
    int height = 0;
    int components = 0; // 1 grey, 3 YCbCr or RGB, 4 CMYK or YCCK
    bool grey = false;
    bool ycc = false; // three components coded as YCbCr
};

struct DecodedJpeg
{
    Bitmap bitmap;  // grey (1 channel) or RGB (3), CMYK and YCCK converted to RGB
    JpegInfo info;  // the full-size header values
    int shrink = 1; // the bitmap is the image reduced by this divisor in the DCT domain
};

// The header alone; refuses images of more than kMaxPixels before any allocation.
std::optional<JpegInfo> readJpegInfo(std::span<const uint8_t> jpeg, JpegError& error);

// Decodes, reduced in the DCT domain by `shrink` (1, 2, 4 or 8). `fastUpsampling`
// takes the plainer chroma upsampling, for images that are resampled afterwards.
std::optional<DecodedJpeg> decodeJpeg(std::span<const uint8_t> jpeg, int shrink, JpegError& error,
                                      bool fastUpsampling = false);

// Encodes RGBA, RGB or grey pixels at compression factor q: quality round(100·q) kept
// within 1..100, optimised Huffman tables, 4:2:0 for colour.
// `resampled` says that the pixels no longer sit on the source's blocks, which chooses the
// luma table (chooseEncoding).
std::optional<std::vector<uint8_t>> encodeJpeg(const Bitmap& pixels, float q, bool grey,
                                               JpegError& error, bool resampled = true);

// The quality that a compression factor stands for.
int qualityFor(float q);

} // namespace brelin
