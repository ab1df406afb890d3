// SPDX-License-Identifier: GPL-3.0-or-later
// Timing for the benchmark programs.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// How long `f` takes, in milliseconds.
template <typename F>
double millis(F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The middle value; 0 for none.
inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}
