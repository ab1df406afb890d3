// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaling/Orientation.h"

#include <cstring>

Bitmap turnUpright(const Bitmap& in, int orientation)
{
    if (orientation < 2 || orientation > 8)
        return in;
    const bool swap = swapsSides(orientation);
    Bitmap out(swap ? in.height : in.width, swap ? in.width : in.height, in.channels);
    const int c = in.channels;
    const int W = in.width, H = in.height;
    for (int y = 0; y < H; ++y) {
        const uint8_t* src = in.row(y);
        for (int x = 0; x < W; ++x) {
            // Where stored pixel (x, y) lands in the displayed image.
            int dx = x, dy = y;
            switch (orientation) {
            case 2:
                dx = W - 1 - x;
                break;
            case 3:
                dx = W - 1 - x;
                dy = H - 1 - y;
                break;
            case 4:
                dy = H - 1 - y;
                break;
            case 5:
                dx = y;
                dy = x;
                break;
            case 6:
                dx = H - 1 - y;
                dy = x;
                break;
            case 7:
                dx = H - 1 - y;
                dy = W - 1 - x;
                break;
            case 8:
                dx = y;
                dy = W - 1 - x;
                break;
            default:
                break;
            }
            std::memcpy(out.row(dy) + size_t(dx) * size_t(c), src + size_t(x) * size_t(c),
                        size_t(c));
        }
    }
    return out;
}
