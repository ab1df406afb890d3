// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/BlockQuantiser.h"

#include <cmath>

namespace brelin {

void quantiseBlock(const float (&dct)[64], const uint16_t (&table)[64],
                   const QuantiserSetting& setting, int16_t (&out)[64])
{
    out[0] = int16_t(std::lround(dct[0] / float(table[0])));
    const float bias = 0.5f - setting.deadZone;
    for (int k = 1; k < 64; ++k) {
        const float steps = std::fabs(dct[k]) / float(table[k]);
        const int level = int(steps + bias);
        out[k] = int16_t(dct[k] < 0 ? -level : level);
    }
}

} // namespace brelin
