// SPDX-License-Identifier: GPL-3.0-or-later
// Which levels of a block are nonzero at each of its lowest bit planes, as bit masks in
// the order the levels are written (zigzag): what a progressive scan's coder walks
// instead of the 64 levels.
#pragma once

#include <cstdint>

namespace brelin {

constexpr int kBitPlanes = 3;

// Bit k of atLeast[p]: the level at zigzag position k has |level| >> p != 0. `natural`:
// the 64 levels in natural order, each within ±32767.
void zigzagBits(const int16_t* natural, uint64_t (&atLeast)[kBitPlanes]);

// The same, one level at a time: the reference the vectorised one is tested against.
void zigzagBitsPlain(const int16_t* natural, uint64_t (&atLeast)[kBitPlanes]);

} // namespace brelin
