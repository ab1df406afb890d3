// SPDX-License-Identifier: GPL-3.0-or-later
// The Lanczos scaler alone, on one thread and on two: input megapixels per second.
// Usage: brelin-bench-scaler [WIDTH HEIGHT FACTOR [CHANNELS]]
#include "scaling/BRLanczosScaleTransform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int w = argc > 3 ? std::atoi(argv[1]) : 5120;
    const int h = argc > 3 ? std::atoi(argv[2]) : 2880;
    const float f = argc > 3 ? float(std::atof(argv[3])) : 0.375f;
    const int c = argc > 4 ? std::atoi(argv[4]) : 3;
    Bitmap in(w, h, c);
    for (size_t i = 0; i < in.pixels.size(); ++i)
        in.pixels[i] = uint8_t((i * 2654435761u) >> 24);
    for (int threads : {1, 2}) {
        BRLanczosScaleTransform::setMaxThreads(threads);
        double best = 1e9;
        for (int round = 0; round < 5; ++round) {
            const auto start = std::chrono::steady_clock::now();
            const auto out = BRLanczosScaleTransform::apply(in, f);
            const double s =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (!out)
                return 1;
            best = std::min(best, s);
        }
        std::printf("%dx%d, %d channels, by %.3f, %d thread(s): %.1f ms, %.0f input MP/s\n", w, h,
                    c, double(f), threads, best * 1e3, double(w) * h / 1e6 / best);
    }
    return 0;
}
