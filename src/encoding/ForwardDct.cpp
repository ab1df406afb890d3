// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/ForwardDct.h"

#include <cmath>
#include <numbers>

namespace brelin {
namespace {

// basis[k][n] = C(k) / 2 · cos((2n + 1) k π / 16): the 1-D transform as a matrix, whose
// row-column product gives the 2-D one.
struct Basis
{
    float m[8][8];
    Basis()
    {
        for (int k = 0; k < 8; ++k)
            for (int n = 0; n < 8; ++n)
                m[k][n] = float((k == 0 ? std::numbers::sqrt2 / 2 : 1.0) / 2 *
                                std::cos((2 * n + 1) * k * std::numbers::pi / 16));
    }
};

const Basis kBasis;

} // namespace

void forwardDct(const float (&in)[64], float (&out)[64])
{
    // Rows first, then columns; each inner loop runs over eight independent sums, which
    // the compiler keeps in vector registers.
    float rows[64];
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            float s = 0;
            for (int x = 0; x < 8; ++x)
                s += kBasis.m[u][x] * in[y * 8 + x];
            rows[y * 8 + u] = s;
        }
    for (int v = 0; v < 8; ++v) {
        float s[8] = {};
        for (int y = 0; y < 8; ++y) {
            const float c = kBasis.m[v][y];
            for (int u = 0; u < 8; ++u)
                s[u] += c * rows[y * 8 + u];
        }
        for (int u = 0; u < 8; ++u)
            out[v * 8 + u] = s[u];
    }
}

void forwardDctReference(const float (&in)[64], float (&out)[64])
{
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
            double s = 0;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    s += in[y * 8 + x] * std::cos((2 * x + 1) * u * std::numbers::pi / 16) *
                         std::cos((2 * y + 1) * v * std::numbers::pi / 16);
            const double cu = u == 0 ? std::numbers::sqrt2 / 2 : 1.0;
            const double cv = v == 0 ? std::numbers::sqrt2 / 2 : 1.0;
            out[v * 8 + u] = float(cu * cv * s / 4);
        }
}

} // namespace brelin
