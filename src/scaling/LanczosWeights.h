// SPDX-License-Identifier: GPL-3.0-or-later
// Lanczos-3 weights for one axis: for each output pixel, the first input pixel and the
// weights of the taps from there. Built once per axis and shared by every row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class LanczosWeights
{
public:
    // Fixed-point weights sum to exactly 1 << kBits for every output pixel.
    static constexpr int kBits = 14;

    // `inSize` input pixels to `outSize` output pixels at `factor` (output / input).
    LanczosWeights(int inSize, int outSize, double factor);

    // The taps per output pixel for `inSize` input pixels at `factor`.
    static int tapsFor(int inSize, double factor);

    int outSize() const { return outSize_; }
    int taps() const { return taps_; }
    int first(int out) const { return first_[size_t(out)]; }
    const float* floats(int out) const { return floats_.data() + size_t(out) * size_t(taps_); }
    const int16_t* fixed(int out) const { return fixed_.data() + size_t(out) * size_t(taps_); }

private:
    int outSize_;
    int taps_;
    std::vector<int> first_;
    std::vector<float> floats_;
    std::vector<int16_t> fixed_;
};
