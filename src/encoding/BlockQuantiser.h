// SPDX-License-Identifier: GPL-3.0-or-later
// One block's DCT coefficients to the integers JPEG stores.
#pragma once

#include <cstdint>

namespace brelin {

struct QuantiserSetting
{
    // Below this fraction of a step past the midpoint, an AC coefficient rounds toward
    // zero: 0 is rounding to the nearest, larger values widen the dead zone.
    float deadZone = 0.0f;
};

// `dct`: F(u,v) in natural order; `table`: the steps in natural order.
void quantiseBlock(const float (&dct)[64], const uint16_t (&table)[64],
                   const QuantiserSetting& setting, int16_t (&out)[64]);

} // namespace brelin
