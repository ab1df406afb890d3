// An 8-bit bitmap with 1 (grey), 3 (RGB) or 4 (RGBA) interleaved samples per pixel,
// rows packed without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Bitmap
{
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<uint8_t> pixels;

    Bitmap() = default;
    // Pixels all 0 (with 4 channels: transparent black).
    Bitmap(int w, int h, int c)
        : width(w), height(h), channels(c), pixels(size_t(w) * size_t(h) * size_t(c))
    {
    }

    size_t stride() const { return size_t(width) * size_t(channels); }
    uint8_t* row(int y) { return pixels.data() + size_t(y) * stride(); }
    const uint8_t* row(int y) const { return pixels.data() + size_t(y) * stride(); }
    bool empty() const { return width <= 0 || height <= 0; }
};

// Decoded and scaled images are refused beyond this many pixels, before any allocation.
constexpr uint64_t kMaxPixels = uint64_t(1) << 28;
