// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaling/LanczosWeights.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double lanczos3(double x)
{
    x = std::abs(x);
    if (x < 1e-9)
        return 1.0;
    if (x >= 3.0)
        return 0.0;
    const double px = std::numbers::pi * x;
    return 3.0 * std::sin(px) * std::sin(px / 3.0) / (px * px);
}

} // namespace

int LanczosWeights::tapsFor(int inSize, double factor)
{
    // Reducing, the kernel is stretched by 1/factor so that it filters out what the
    // smaller grid cannot hold; enlarging, it keeps its own width.
    const double support = 3.0 * std::max(1.0, 1.0 / factor);
    return std::min(int(std::ceil(support)) * 2 + 1, std::max(inSize, 1));
}

LanczosWeights::LanczosWeights(int inSize, int outSize, double factor) : outSize_(outSize)
{
    const double stretch = std::max(1.0, 1.0 / factor);
    const double support = 3.0 * stretch;
    taps_ = tapsFor(inSize, factor);
    first_.resize(size_t(outSize));
    floats_.assign(size_t(outSize) * size_t(taps_), 0.0f);
    fixed_.assign(size_t(outSize) * size_t(taps_), 0);
    std::vector<double> w(static_cast<size_t>(taps_));

    for (int o = 0; o < outSize; ++o) {
        const double centre = (o + 0.5) / factor - 0.5;
        // The window starts where the kernel does, kept inside the input: taps that
        // would fall outside fold onto the edge pixels, so loops never test bounds.
        int start = int(std::floor(centre - support)) + 1;
        start = std::clamp(start, 0, std::max(inSize - taps_, 0));
        std::fill(w.begin(), w.end(), 0.0);
        double sum = 0.0;
        const int lo = int(std::floor(centre - support)) + 1;
        const int hi = int(std::ceil(centre + support)) - 1;
        for (int i = lo; i <= hi; ++i) {
            const double k = lanczos3((i - centre) / stretch);
            if (k == 0.0)
                continue;
            const int at = std::clamp(std::clamp(i, 0, inSize - 1) - start, 0, taps_ - 1);
            w[size_t(at)] += k;
            sum += k;
        }
        first_[size_t(o)] = start;
        if (sum == 0.0) {
            w[0] = 1.0;
            sum = 1.0;
        }
        // Normalised so that sum(out) = sum(in) for a constant row, in float and in
        // fixed point alike: the rounding residue goes to the largest tap.
        int fixedSum = 0;
        size_t largest = 0;
        for (size_t t = 0; t < size_t(taps_); ++t) {
            const double v = w[t] / sum;
            floats_[size_t(o) * size_t(taps_) + t] = float(v);
            const int f = int(std::lround(v * (1 << kBits)));
            fixed_[size_t(o) * size_t(taps_) + t] = int16_t(f);
            fixedSum += f;
            if (std::abs(w[t]) > std::abs(w[largest]))
                largest = t;
        }
        fixed_[size_t(o) * size_t(taps_) + largest] =
            int16_t(fixed_[size_t(o) * size_t(taps_) + largest] + ((1 << kBits) - fixedSum));
    }
}
