// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/BlockQuantiser.h"

#include "encoding/ZigzagBits.h"

#include <bit>
#include <cmath>
#include <cstdlib>

namespace brelin {

namespace {

// The bits a level's magnitude takes: its JPEG size category.
int sizeOf(int level)
{
    return int(std::bit_width(unsigned(std::abs(level))));
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
    // Only levels of one step are ever dropped: blocks without any are done.
    uint64_t written[kBitPlanes] = {};
    if (lambda > 0 && rate) {
        int16_t magnitudes[64];
        for (int k = 0; k < 64; ++k)
            magnitudes[k] = int16_t(levelOf[k]);
        zigzagBits(magnitudes, written);
    }
    if (const uint64_t ones = written[0] & ~written[1] & ~uint64_t(1)) {
        // The nonzero AC coefficients in the order they are written.
        int at[64], n = 0;
        for (uint64_t left = written[0] & ~uint64_t(1); left; left &= left - 1)
            at[n++] = std::countr_zero(left);
        const auto level = [&](int i) -> int& { return levelOf[kZigzag[i]]; };
        const auto steps = [&](int i) { return stepsOf[kZigzag[i]]; };
        const float eob = rate->bits[0x00];
        // From the last one back: a last coefficient of one step goes when the bits it
        // takes (its symbol, and the EOB it saves at position 63) cost more than the error
        // of dropping it (x² against (x − 1)², that is 2x − 1 steps squared).
        while (n > 0 && level(at[n - 1]) == 1) {
            const int i = at[n - 1];
            const int run = i - (n > 1 ? at[n - 2] : 0) - 1;
            const float saved = bitsOf(*rate, run, 1) - (i == 63 ? eob : 0.0f);
            if (2 * steps(i) - 1 >= lambda * saved)
                break;
            level(i) = 0;
            --n;
        }
        // Between others: dropping one joins the runs on either side.
        for (int m = 0; m + 1 < n; ++m) {
            const int i = at[m];
            if (level(i) != 1)
                continue;
            const int before = i - (m > 0 ? at[m - 1] : 0) - 1;
            const int after = at[m + 1] - i - 1;
            const int nextSize = sizeOf(level(at[m + 1]));
            const float saved = bitsOf(*rate, before, 1) + bitsOf(*rate, after, nextSize) -
                                bitsOf(*rate, before + after + 1, nextSize);
            if (2 * steps(i) - 1 < lambda * saved) {
                level(i) = 0;
                for (int j = m; j + 1 < n; ++j)
                    at[j] = at[j + 1];
                --n;
                --m;
            }
        }
    }
    for (int k = 0; k < 64; ++k) {
        const int negative = dct[k] < 0;
        out[k] = int16_t((levelOf[k] ^ -negative) + negative);
    }
}

} // namespace brelin
