// Timing for the benchmark programs.
#pragma once

#include <chrono>

// How long `f` takes, in milliseconds.
template <typename F>
double millis(F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
