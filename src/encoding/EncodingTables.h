// SPDX-License-Identifier: GPL-3.0-or-later
// The tables Brelin encodes with at a quality: the quantisation steps, and the bits of each
// symbol under libjpeg's standard Huffman codes, which the quantiser takes as its rate.
#pragma once

#include "encoding/BlockQuantiser.h"

#include <cstdint>

namespace brelin {

struct TableSet
{
    uint16_t steps[2][64] = {}; // luma, chroma; natural order, 8-bit as for baseline
    RateModel rate[2];          // luma, chroma AC codes
};

// The tables chooseEncoding gives libjpeg; false only when libjpeg ran out of memory.
bool encodingTables(int quality, bool resampled, TableSet& tables);

} // namespace brelin
