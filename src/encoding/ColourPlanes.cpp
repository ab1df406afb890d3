// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/ColourPlanes.h"

#include <algorithm>

namespace brelin {
namespace {

uint8_t toByte(float v)
{
    return uint8_t(std::clamp(v + 0.5f, 0.0f, 255.0f));
}

} // namespace

std::vector<Bitmap> colourPlanesOf(const Bitmap& rgb, bool grey)
{
    const int w = rgb.width, h = rgb.height, c = rgb.channels;
    std::vector<Bitmap> planes;
    planes.push_back(Bitmap::uninitialized(w, h, 1));
    if (c == 1 || grey) {
        for (int y = 0; y < h; ++y) {
            const uint8_t* in = rgb.row(y);
            uint8_t* out = planes[0].row(y);
            for (int x = 0; x < w; ++x)
                out[x] = in[size_t(x) * size_t(c)];
        }
        return planes;
    }
    // Cb and Cr at full size first, then halved.
    Bitmap cb = Bitmap::uninitialized(w, h, 1), cr = Bitmap::uninitialized(w, h, 1);
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = rgb.row(y);
        uint8_t *Y = planes[0].row(y), *B = cb.row(y), *R = cr.row(y);
        for (int x = 0; x < w; ++x) {
            const float r = in[size_t(x) * size_t(c)], g = in[size_t(x) * size_t(c) + 1],
                        b = in[size_t(x) * size_t(c) + 2];
            Y[x] = toByte(0.299f * r + 0.587f * g + 0.114f * b);
            B[x] = toByte(-0.168735892f * r - 0.331264108f * g + 0.5f * b + 128.0f);
            R[x] = toByte(0.5f * r - 0.418687589f * g - 0.081312411f * b + 128.0f);
        }
    }
    const int cw = (w + 1) / 2, ch = (h + 1) / 2;
    for (const Bitmap* full : {&cb, &cr}) {
        Bitmap half = Bitmap::uninitialized(cw, ch, 1);
        for (int y = 0; y < ch; ++y) {
            const uint8_t* r0 = full->row(2 * y);
            const uint8_t* r1 = full->row(std::min(2 * y + 1, h - 1));
            uint8_t* out = half.row(y);
            for (int x = 0; x < cw; ++x) {
                const int x0 = 2 * x, x1 = std::min(2 * x + 1, w - 1);
                out[x] = uint8_t((r0[x0] + r0[x1] + r1[x0] + r1[x1] + 1 + (x & 1)) >> 2);
            }
        }
        planes.push_back(std::move(half));
    }
    return planes;
}

} // namespace brelin
