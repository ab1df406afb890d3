// SPDX-License-Identifier: GPL-3.0-or-later
// An 8-bit bitmap with 1 (grey or one plane of a YCbCr image), 3 (RGB) or 4 (RGBA)
// interleaved samples per pixel; rows are packed unless `rowBytes` says otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// An allocator that leaves new elements uninitialised: a buffer that is about to be
// written whole need not be cleared first (for a large bitmap that is real work).
template <typename T>
struct DefaultInitAllocator : std::allocator<T>
{
    template <typename U>
    struct rebind
    {
        using other = DefaultInitAllocator<U>;
    };
    using std::allocator<T>::allocator;
    template <typename U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using PixelBuffer = std::vector<uint8_t, DefaultInitAllocator<uint8_t>>;

struct Bitmap
{
    int width = 0;
    int height = 0;
    int channels = 0;
    PixelBuffer pixels;
    // Bytes from one row to the next when rows are padded (a decoder's planes are whole
    // DCT blocks wide); 0 for packed rows.
    size_t rowBytes = 0;
    // When not 0, only this many rows are held, row y in slot y % ringRows: a window that
    // moves down a plane while a decoder fills it and a scaler reads it.
    int ringRows = 0;

    Bitmap() = default;
    // Pixels all 0 (with 4 channels: transparent black).
    Bitmap(int w, int h, int c)
        : width(w), height(h), channels(c), pixels(size_t(w) * size_t(h) * size_t(c), uint8_t(0))
    {
    }
    // Pixels left as they come, for a bitmap that is written whole.
    static Bitmap uninitialized(int w, int h, int c)
    {
        Bitmap b;
        b.width = w;
        b.height = h;
        b.channels = c;
        b.pixels.resize(size_t(w) * size_t(h) * size_t(c));
        return b;
    }

    size_t stride() const { return rowBytes ? rowBytes : size_t(width) * size_t(channels); }
    uint8_t* row(int y) { return pixels.data() + size_t(slot(y)) * stride(); }
    const uint8_t* row(int y) const { return pixels.data() + size_t(slot(y)) * stride(); }
    int slot(int y) const { return ringRows ? y % ringRows : y; }
    bool empty() const { return width <= 0 || height <= 0; }
};

// Decoded and scaled images are refused beyond this many pixels, before any allocation.
constexpr uint64_t kMaxPixels = uint64_t(1) << 28;
