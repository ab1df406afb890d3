// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaling/Ssim.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int kRadius = 5;

std::array<double, 2 * kRadius + 1> gaussian()
{
    std::array<double, 2 * kRadius + 1> w{};
    double sum = 0;
    for (int i = -kRadius; i <= kRadius; ++i)
        sum += w[size_t(i + kRadius)] = std::exp(-(i * i) / (2 * 1.5 * 1.5));
    for (double& v : w)
        v /= sum;
    return w;
}

// The Gaussian-weighted means of one channel's x, y, x², y² and xy, at every position
// where the window fits: each plane blurred by a horizontal and then a vertical pass, in
// single precision, in loops the compiler vectorises.
struct Moments
{
    std::vector<float> mx, my, xx, yy, xy;
};

std::vector<float> blurred(const std::vector<float>& plane, int W, int H)
{
    static const auto w = gaussian();
    const int ow = W - 2 * kRadius, oh = H - 2 * kRadius;
    std::vector<float> rows(size_t(ow) * size_t(H), 0.0f);
    for (int y = 0; y < H; ++y) {
        const float* in = plane.data() + size_t(y) * size_t(W);
        float* o = rows.data() + size_t(y) * size_t(ow);
        for (int k = 0; k <= 2 * kRadius; ++k) {
            const float wk = float(w[size_t(k)]);
            for (int x = 0; x < ow; ++x)
                o[x] += wk * in[x + k];
        }
    }
    std::vector<float> out(size_t(ow) * size_t(oh), 0.0f);
    for (int y = 0; y < oh; ++y)
        for (int k = 0; k <= 2 * kRadius; ++k) {
            const float wk = float(w[size_t(k)]);
            const float* in = rows.data() + size_t(y + k) * size_t(ow);
            float* o = out.data() + size_t(y) * size_t(ow);
            for (int x = 0; x < ow; ++x)
                o[x] += wk * in[x];
        }
    return out;
}

Moments moments(const Bitmap& a, const Bitmap& b, int c)
{
    const int W = a.width, H = a.height, C = a.channels;
    const size_t n = size_t(W) * size_t(H);
    std::vector<float> x(n), y(n), xx(n), yy(n), xy(n);
    for (int row = 0; row < H; ++row) {
        const uint8_t* pa = a.row(row);
        const uint8_t* pb = b.row(row);
        for (int col = 0; col < W; ++col) {
            const size_t i = size_t(row) * size_t(W) + size_t(col);
            const float va = pa[col * C + c], vb = pb[col * C + c];
            x[i] = va, y[i] = vb, xx[i] = va * va, yy[i] = vb * vb, xy[i] = va * vb;
        }
    }
    return {blurred(x, W, H), blurred(y, W, H), blurred(xx, W, H), blurred(yy, W, H),
            blurred(xy, W, H)};
}

double ssimOf(double mx, double my, double sxx, double syy, double sxy)
{
    constexpr double c1 = (0.01 * 255) * (0.01 * 255), c2 = (0.03 * 255) * (0.03 * 255);
    return ((2 * mx * my + c1) * (2 * sxy + c2)) / ((mx * mx + my * my + c1) * (sxx + syy + c2));
}

} // namespace

std::optional<double> meanSsim(const Bitmap& a, const Bitmap& b)
{
    if (a.width != b.width || a.height != b.height || a.channels != b.channels || a.empty() ||
        a.channels <= 0 || a.ringRows || b.ringRows)
        return std::nullopt;
    // An image smaller than the window is compared whole, as one window of its own size.
    if (a.width <= 2 * kRadius || a.height <= 2 * kRadius) {
        double total = 0;
        for (int c = 0; c < a.channels; ++c) {
            double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
            const double n = double(a.width) * a.height;
            for (int y = 0; y < a.height; ++y)
                for (int x = 0; x < a.width; ++x) {
                    const double va = a.row(y)[x * a.channels + c];
                    const double vb = b.row(y)[x * b.channels + c];
                    sa += va, sb += vb, saa += va * va, sbb += vb * vb, sab += va * vb;
                }
            const double mx = sa / n, my = sb / n;
            total += ssimOf(mx, my, saa / n - mx * mx, sbb / n - my * my, sab / n - mx * my);
        }
        return total / a.channels;
    }
    double total = 0;
    for (int c = 0; c < a.channels; ++c) {
        const Moments m = moments(a, b, c);
        double sum = 0;
        for (size_t i = 0; i < m.mx.size(); ++i) {
            const double mx = m.mx[i], my = m.my[i];
            sum += ssimOf(mx, my, m.xx[i] - mx * mx, m.yy[i] - my * my, m.xy[i] - mx * my);
        }
        total += sum / double(m.mx.size());
    }
    return total / a.channels;
}
