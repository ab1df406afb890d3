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
// where the window fits, by a horizontal and then a vertical pass.
struct Moments
{
    std::vector<double> mx, my, xx, yy, xy;
};

Moments moments(const Bitmap& a, const Bitmap& b, int c)
{
    static const auto w = gaussian();
    const int W = a.width, H = a.height, C = a.channels;
    const int ow = W - 2 * kRadius, oh = H - 2 * kRadius;
    std::array<std::vector<double>, 5> rows;
    for (auto& r : rows)
        r.assign(size_t(ow) * size_t(H), 0.0);
    for (int y = 0; y < H; ++y) {
        const uint8_t* pa = a.row(y);
        const uint8_t* pb = b.row(y);
        for (int x = 0; x < ow; ++x) {
            double s[5] = {};
            for (int k = 0; k <= 2 * kRadius; ++k) {
                const double va = pa[(x + k) * C + c], vb = pb[(x + k) * C + c];
                const double wk = w[size_t(k)];
                s[0] += wk * va;
                s[1] += wk * vb;
                s[2] += wk * va * va;
                s[3] += wk * vb * vb;
                s[4] += wk * va * vb;
            }
            for (int m = 0; m < 5; ++m)
                rows[size_t(m)][size_t(y) * size_t(ow) + size_t(x)] = s[m];
        }
    }
    std::array<std::vector<double>, 5> out;
    for (int m = 0; m < 5; ++m) {
        out[size_t(m)].assign(size_t(ow) * size_t(oh), 0.0);
        for (int y = 0; y < oh; ++y)
            for (int k = 0; k <= 2 * kRadius; ++k) {
                const double wk = w[size_t(k)];
                const double* in = rows[size_t(m)].data() + size_t(y + k) * size_t(ow);
                double* o = out[size_t(m)].data() + size_t(y) * size_t(ow);
                for (int x = 0; x < ow; ++x)
                    o[x] += wk * in[x];
            }
    }
    return {std::move(out[0]), std::move(out[1]), std::move(out[2]), std::move(out[3]),
            std::move(out[4])};
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
