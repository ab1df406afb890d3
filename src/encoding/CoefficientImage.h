// SPDX-License-Identifier: GPL-3.0-or-later
// An image as JPEG stores it before entropy coding: quantised DCT blocks per component, and
// the quantisation tables they were made with. Grey (one component) or YCbCr 4:2:0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scaling/Bitmap.h"

namespace brelin {

struct CoefficientPlane
{
    int widthInBlocks = 0;
    int heightInBlocks = 0;
    int table = 0; // 0 luma, 1 chroma
    // 64 per block in natural order, block rows top down; left uninitialised until written.
    std::vector<int16_t, DefaultInitAllocator<int16_t>> blocks;

    int16_t* block(int bx, int by)
    {
        return blocks.data() + (size_t(by) * size_t(widthInBlocks) + size_t(bx)) * 64;
    }
    const int16_t* block(int bx, int by) const
    {
        return blocks.data() + (size_t(by) * size_t(widthInBlocks) + size_t(bx)) * 64;
    }
};

struct CoefficientImage
{
    int width = 0; // pixels
    int height = 0;
    int components = 0;          // 1 or 3
    CoefficientPlane planes[3];  // Y (or grey), Cb, Cr at half width and height
    uint16_t tables[2][64] = {}; // natural order
};

} // namespace brelin
