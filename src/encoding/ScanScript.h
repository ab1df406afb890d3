// SPDX-License-Identifier: GPL-3.0-or-later
// The ways one set of coefficients is written: each is lossless with respect to them, and
// which is smallest depends on the image.
#pragma once

namespace brelin {

enum class ScanScript {
    Baseline,    // one interleaved sequential scan
    Progressive, // one fixed progressive script, the best on average (ScanSearch)
    Searched,    // the cheapest scans of a few progressive probes, spliced (ScanSearch)
};

} // namespace brelin
