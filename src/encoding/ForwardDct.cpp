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

namespace {

// The 1-D transform down the columns of `in` (8 rows of 8), all eight columns at once:
// out[k][x] = sum over n of basis[k][n] · in[n][x]. The even outputs need only the sums of
// mirrored rows, the odd ones their differences, which halves the products; each inner
// loop runs across the eight columns, which the compiler keeps in vector registers.
void columns(const float* in, float* out)
{
    float sum[4][8], difference[4][8];
    for (int n = 0; n < 4; ++n)
        for (int x = 0; x < 8; ++x) {
            sum[n][x] = in[n * 8 + x] + in[(7 - n) * 8 + x];
            difference[n][x] = in[n * 8 + x] - in[(7 - n) * 8 + x];
        }
    for (int k = 0; k < 8; ++k) {
        const float(&half)[4][8] = k % 2 ? difference : sum;
        float acc[8] = {};
        for (int n = 0; n < 4; ++n) {
            const float c = kBasis.m[k][n];
            for (int x = 0; x < 8; ++x)
                acc[x] += c * half[n][x];
        }
        for (int x = 0; x < 8; ++x)
            out[k * 8 + x] = acc[x];
    }
}

void transpose(const float* in, float* out)
{
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            out[x * 8 + y] = in[y * 8 + x];
}

} // namespace

void forwardDct(const float (&in)[64], float (&out)[64])
{
    // Columns, then (transposed) rows, then back.
    float a[64], b[64];
    columns(in, a);
    transpose(a, b);
    columns(b, a);
    transpose(a, out);
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
