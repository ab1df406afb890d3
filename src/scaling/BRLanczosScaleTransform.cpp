#include "scaling/BRLanczosScaleTransform.h"

#include "scaling/LanczosWeights.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kBits = LanczosWeights::kBits;

inline uint8_t clampToByte(int32_t v)
{
    return uint8_t(std::clamp(v, 0, 255));
}

bool sizesFit(const Bitmap& input, float factor, int& w, int& h)
{
    if (input.empty() || !(factor > 0.0f) || !std::isfinite(factor))
        return false;
    w = BRLanczosScaleTransform::outputSize(input.width, factor);
    h = BRLanczosScaleTransform::outputSize(input.height, factor);
    return w > 0 && h > 0 && uint64_t(w) * uint64_t(h) <= kMaxPixels;
}

// Between the passes values keep 6 fractional bits and their over- and undershoot
// (Lanczos' negative lobes reach below 0 and above 255), so the second pass sees what a
// float computation would; 255 · 1.3 · 64 stays far inside 16 bits.
constexpr int kInterBits = 6;

struct Intermediate
{
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<int16_t> values;
    const int16_t* row(int y) const
    {
        return values.data() + size_t(y) * size_t(width) * size_t(channels);
    }
    int16_t* row(int y) { return values.data() + size_t(y) * size_t(width) * size_t(channels); }
};

// Rows of `in` to `out.width` columns; the taps of one output pixel are contiguous
// input pixels.
void horizontal(const Bitmap& in, Intermediate& out, const LanczosWeights& wx)
{
    const int c = in.channels;
    const int taps = wx.taps();
    constexpr int shift = kBits - kInterBits;
    constexpr int32_t round = 1 << (shift - 1);
    for (int y = 0; y < in.height; ++y) {
        const uint8_t* src = in.row(y);
        int16_t* dst = out.row(y);
        for (int x = 0; x < out.width; ++x) {
            const uint8_t* p = src + size_t(wx.first(x)) * size_t(c);
            const int16_t* w = wx.fixed(x);
            int32_t acc[4] = {round, round, round, round};
            for (int t = 0; t < taps; ++t)
                for (int k = 0; k < c; ++k)
                    acc[k] += int32_t(w[t]) * p[t * c + k];
            for (int k = 0; k < c; ++k)
                dst[x * c + k] = int16_t(std::clamp(acc[k] >> shift, -32768, 32767));
        }
    }
}

// Columns of `in` to `out.height` rows: taps outside, contiguous pixels inside, so the
// compiler vectorises the inner loop.
void vertical(const Intermediate& in, Bitmap& out, const LanczosWeights& wy)
{
    const size_t n = out.stride();
    constexpr int shift = kBits + kInterBits;
    std::vector<int32_t> acc(n);
    const int taps = wy.taps();
    for (int y = 0; y < out.height; ++y) {
        std::fill(acc.begin(), acc.end(), int32_t(1) << (shift - 1));
        const int16_t* w = wy.fixed(y);
        for (int t = 0; t < taps; ++t) {
            const int32_t wt = w[t];
            if (wt == 0)
                continue;
            const int16_t* src = in.row(wy.first(y) + t);
            int32_t* a = acc.data();
            for (size_t i = 0; i < n; ++i)
                a[i] += wt * src[i];
        }
        uint8_t* dst = out.row(y);
        for (size_t i = 0; i < n; ++i)
            dst[i] = clampToByte(acc[i] >> shift);
    }
}

} // namespace

int BRLanczosScaleTransform::outputSize(int size, float factor)
{
    const float v = std::floor(float(size) * factor);
    if (!(v >= 0.0f) || v > 2147483647.0f)
        return 0;
    return int(v);
}

std::optional<Bitmap> BRLanczosScaleTransform::apply(const Bitmap& input, float factor)
{
    int w = 0, h = 0;
    if (!sizesFit(input, factor, w, h))
        return std::nullopt;
    // One factor for both directions; the sides rounded down cut less than one output
    // pixel at the right and bottom.
    return resize(input, w, h, factor, factor);
}

std::optional<Bitmap> BRLanczosScaleTransform::resize(const Bitmap& input, int w, int h, double fx,
                                                      double fy)
{
    if (input.empty() || w <= 0 || h <= 0 || uint64_t(w) * uint64_t(h) > kMaxPixels || !(fx > 0) ||
        !(fy > 0) || !std::isfinite(fx) || !std::isfinite(fy))
        return std::nullopt;
    const LanczosWeights wx(input.width, w, fx);
    const LanczosWeights wy(input.height, h, fy);
    Intermediate across{
        w, input.height, input.channels,
        std::vector<int16_t>(size_t(w) * size_t(input.height) * size_t(input.channels))};
    horizontal(input, across, wx);
    Bitmap out(w, h, input.channels);
    vertical(across, out, wy);
    return out;
}

std::optional<Bitmap> BRLanczosScaleTransform::applyReference(const Bitmap& input, float factor)
{
    int w = 0, h = 0;
    if (!sizesFit(input, factor, w, h))
        return std::nullopt;
    const LanczosWeights wx(input.width, w, factor);
    const LanczosWeights wy(input.height, h, factor);
    const int c = input.channels;
    std::vector<float> across(size_t(w) * size_t(input.height) * size_t(c));
    for (int y = 0; y < input.height; ++y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < c; ++k) {
                float s = 0.0f;
                for (int t = 0; t < wx.taps(); ++t)
                    s += wx.floats(x)[t] * input.row(y)[(wx.first(x) + t) * c + k];
                across[(size_t(y) * size_t(w) + size_t(x)) * size_t(c) + size_t(k)] = s;
            }
    Bitmap out(w, h, c);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < c; ++k) {
                float s = 0.0f;
                for (int t = 0; t < wy.taps(); ++t)
                    s += wy.floats(y)[t] *
                         across[(size_t(wy.first(y) + t) * size_t(w) + size_t(x)) * size_t(c) +
                                size_t(k)];
                out.row(y)[x * c + k] = uint8_t(std::clamp(std::lround(s), 0L, 255L));
            }
    return out;
}
