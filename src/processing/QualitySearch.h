// SPDX-License-Identifier: GPL-3.0-or-later
// The search for a size target: a bisection on the JPEG quality in [1, highest]. A file's
// size is not strictly monotonic in the quality, so the rule is the bisection itself, the
// same on every machine, not "the highest quality that fits".
#pragma once

#include <algorithm>

namespace brelin {

class QualitySearch
{
public:
    explicit QualitySearch(int highest) : hi_(std::max(1, highest)) {}

    bool done() const { return lo_ >= hi_; }
    // The quality to try next; while not done, always above result().
    int next() const { return (lo_ + hi_ + 1) / 2; }
    // Whether the whole result at next() fits.
    void answer(bool fits)
    {
        const int mid = next();
        if (fits)
            lo_ = mid;
        else
            hi_ = mid - 1;
    }
    // Once done: the quality to write, if its result fits (1 may never have been tried).
    int result() const { return lo_; }

private:
    int lo_ = 1;
    int hi_;
};

} // namespace brelin
