// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/ZigzagBits.h"

#include "encoding/BlockQuantiser.h"

#include <array>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace brelin {
namespace {

// A row of a block's mask in natural order (8 bits) to those bits at their zigzag places.
using RowSpread = std::array<std::array<uint64_t, 256>, 8>;

constexpr RowSpread makeRowSpread()
{
    int placeOf[64] = {};
    for (int k = 0; k < 64; ++k)
        placeOf[kZigzag[k]] = k;
    RowSpread spread{};
    for (int row = 0; row < 8; ++row)
        for (int bits = 0; bits < 256; ++bits)
            for (int i = 0; i < 8; ++i)
                if (bits >> i & 1)
                    spread[size_t(row)][size_t(bits)] |= uint64_t(1) << placeOf[row * 8 + i];
    return spread;
}

constexpr RowSpread kRowSpread = makeRowSpread();

[[maybe_unused]] uint64_t toZigzag(uint64_t natural)
{
    uint64_t out = 0;
    for (int row = 0; row < 8; ++row)
        out |= kRowSpread[size_t(row)][(natural >> (8 * row)) & 0xFF];
    return out;
}

} // namespace

void zigzagBitsPlain(const int16_t* natural, uint64_t (&atLeast)[kBitPlanes])
{
    for (uint64_t& m : atLeast)
        m = 0;
    for (int k = 0; k < 64; ++k) {
        const unsigned magnitude = unsigned(std::abs(int(natural[kZigzag[k]])));
        for (int p = 0; p < kBitPlanes; ++p)
            atLeast[p] |= uint64_t(magnitude >> p != 0) << k;
    }
}

#if defined(__SSE2__)
void zigzagBits(const int16_t* natural, uint64_t (&atLeast)[kBitPlanes])
{
    // Two rows at a time: magnitudes compared with 0, 1 and 3, packed to one bit each.
    uint64_t inNatural[kBitPlanes] = {};
    const __m128i zero = _mm_setzero_si128();
    for (int r = 0; r < 4; ++r) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(natural + 16 * r));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(natural + 16 * r + 8));
        a = _mm_max_epi16(a, _mm_sub_epi16(zero, a));
        b = _mm_max_epi16(b, _mm_sub_epi16(zero, b));
        for (int p = 0; p < kBitPlanes; ++p) {
            const __m128i below = _mm_set1_epi16(short((1 << p) - 1));
            const __m128i over =
                _mm_packs_epi16(_mm_cmpgt_epi16(a, below), _mm_cmpgt_epi16(b, below));
            inNatural[p] |= uint64_t(unsigned(_mm_movemask_epi8(over))) << (16 * r);
        }
    }
    for (int p = 0; p < kBitPlanes; ++p)
        atLeast[p] = toZigzag(inNatural[p]);
}
#else
void zigzagBits(const int16_t* natural, uint64_t (&atLeast)[kBitPlanes])
{
    zigzagBitsPlain(natural, atLeast);
}
#endif

} // namespace brelin
