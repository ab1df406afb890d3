// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/BlockQuantiser.h"

#include <cmath>

namespace brelin {

const uint8_t kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

namespace {

int sizeOf(int level)
{
    int magnitude = level < 0 ? -level : level, size = 0;
    while (magnitude) {
        ++size;
        magnitude >>= 1;
    }
    return size;
}

// Bits of a coefficient of `size` after `run` zeros: sixteen-zero runs first, then its
// symbol and its own bits.
float bitsOf(const RateModel& rate, int run, int size)
{
    float bits = 0;
    for (; run > 15; run -= 16)
        bits += rate.bits[0xF0];
    return bits + rate.bits[(run << 4) | size] + float(size);
}

// The levels of the AC coefficients that cost least in error plus lambda times bits,
// over the paths a Huffman coder can take: each nonzero coefficient kept at its rounded
// level, one step lower, or dropped into the run of zeros before the next one, and the
// block ended by an EOB after any of them. A dynamic programme over the coefficients
// rounded to nonzero, which are few, so a block costs little more than rounding.
void chooseLevels(const float* stepsOf, int* levelOf, float lambda, const RateModel& rate)
{
    // In zigzag order: 0 is the start, before the first AC coefficient.
    int at[64], n = 1;
    at[0] = 0;
    for (int i = 1; i < 64; ++i)
        if (levelOf[kZigzag[i]])
            at[n++] = i;
    if (n == 1)
        return;
    // best[m]: the least cost of the coefficients up to at[m] with at[m] the last nonzero
    // one, counted as the error of the levels chosen minus the error of all of them
    // dropped (so that a run of zeros costs nothing but its bits).
    float best[64];
    int from[64], chosen[64];
    best[0] = 0;
    for (int m = 1; m < n; ++m) {
        const int i = at[m];
        const float x = stepsOf[kZigzag[i]];
        const int rounded = levelOf[kZigzag[i]];
        best[m] = 3.4e38f;
        for (int level = rounded; level >= rounded - 1 && level > 0; --level) {
            const int size = sizeOf(level);
            const float gain = (x - float(level)) * (x - float(level)) - x * x;
            for (int p = m - 1; p >= 0; --p) {
                const float cost = best[p] + gain + lambda * bitsOf(rate, i - at[p] - 1, size);
                if (cost < best[m]) {
                    best[m] = cost;
                    from[m] = p;
                    chosen[m] = level;
                }
            }
        }
    }
    // The block ends after at[m]: an EOB unless that is the last coefficient.
    int last = 0;
    float least = 0 + lambda * rate.bits[0x00];
    for (int m = 1; m < n; ++m) {
        const float cost = best[m] + (at[m] == 63 ? 0.0f : lambda * rate.bits[0x00]);
        if (cost < least) {
            least = cost;
            last = m;
        }
    }
    int keep[64] = {};
    for (int m = last; m > 0; m = from[m])
        keep[at[m]] = chosen[m];
    for (int m = 1; m < n; ++m)
        levelOf[kZigzag[at[m]]] = keep[at[m]];
}

} // namespace

StepTable::StepTable(const uint16_t (&steps)[64])
{
    for (int k = 0; k < 64; ++k)
        reciprocal[k] = 1.0f / float(steps[k]);
}

void quantiseBlock(const float (&dct)[64], const StepTable& table, const QuantiserSetting& setting,
                   const RateModel* rate, int16_t* out)
{
    // Each coefficient in steps, and its level rounded to the nearest: in natural order,
    // branch-free, for the vectoriser.
    float stepsOf[64];
    int levelOf[64];
    for (int k = 0; k < 64; ++k) {
        stepsOf[k] = std::fabs(dct[k]) * table.reciprocal[k];
        levelOf[k] = int(stepsOf[k] + 0.5f);
    }
    float lambda = setting.lambda;
    if (lambda > 0 && setting.masking > 0) {
        float energy = 0;
        for (int k = 1; k < 64; ++k)
            energy += stepsOf[k] * stepsOf[k];
        lambda *= energy / (energy + setting.masking);
    }
    if (lambda > 0 && rate)
        chooseLevels(stepsOf, levelOf, lambda, *rate);
    for (int k = 0; k < 64; ++k) {
        const int negative = dct[k] < 0;
        out[k] = int16_t((levelOf[k] ^ -negative) + negative);
    }
}

} // namespace brelin
