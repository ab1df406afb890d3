// SPDX-License-Identifier: GPL-3.0-or-later
// One block's DCT coefficients to the integers JPEG stores. Rounding each to the nearest
// step is what libjpeg does; here a coefficient of one step is dropped where the bits it
// costs are worth more than the error it saves, as a rate-distortion optimiser would
// decide, with errors counted in steps of the table (which already weighs them by what
// the eye sees) and the rate taken from Huffman code lengths.
#pragma once

#include <cstdint>

namespace brelin {

// Bits of each AC symbol (run << 4 | size) under a Huffman code; 0 for a symbol the code
// does not have.
struct RateModel
{
    uint8_t bits[256] = {};
};

struct QuantiserSetting
{
    // Squared error, in steps squared, that one bit is worth in a busy block: 0 rounds to
    // the nearest.
    float lambda = 0.0f;
    // Texture hides errors: a block whose AC energy (in steps squared) is `masking` gets
    // half the lambda of a busy one, a flat block next to none.
    float masking = 0.0f;
};

// A table's steps as the quantiser uses them: their reciprocals, in natural order.
struct StepTable
{
    float reciprocal[64];
    explicit StepTable(const uint16_t (&steps)[64]); // natural order
};

// `dct`: F(u,v) in natural order; `out`: the levels in natural order. `rate` may be null
// when lambda is 0.
void quantiseBlock(const float (&dct)[64], const StepTable& table, const QuantiserSetting& setting,
                   const RateModel* rate, int16_t* out);

// The zigzag order: kZigzag[i] is the natural index of the i-th coefficient written.
inline constexpr uint8_t kZigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

} // namespace brelin
