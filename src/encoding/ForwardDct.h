// SPDX-License-Identifier: GPL-3.0-or-later
// The 8×8 forward DCT of JPEG (ITU-T T.81, A.3.3) in floating point: F(u,v) of a block of
// level-shifted samples, as the standard defines it, so that quantising is F / Q.
#pragma once

namespace brelin {

// `in`: 64 samples minus 128, row by row; `out`: F(u,v) at out[v * 8 + u] (natural order).
void forwardDct(const float (&in)[64], float (&out)[64]);

// The same, one product at a time straight from the definition: the reference the fast
// one is tested against.
void forwardDctReference(const float (&in)[64], float (&out)[64]);

} // namespace brelin
