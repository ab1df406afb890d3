// SPDX-License-Identifier: GPL-3.0-or-later
// Separable Lanczos-3 resampling with one factor for both directions: a horizontal
// pass, then a vertical one, each with weights built once for its axis.
#pragma once

#include "scaling/Bitmap.h"
#include "scaling/RowProgress.h"

#include <optional>
#include <vector>

class BRLanczosScaleTransform
{
public:
    // The output of `input` scaled by `factor`: floor(w·f) by floor(h·f) pixels,
    // computed in single precision, the channels of the input. None when a side comes
    // out below 1 or the result would exceed kMaxPixels.
    static std::optional<Bitmap> apply(const Bitmap& input, float factor);

    // Plain float arithmetic throughout; the fixed-point path above is checked
    // against it.
    static std::optional<Bitmap> applyReference(const Bitmap& input, float factor);

    // `input` resampled to exactly outW × outH, the kernel placed by `factorX` and
    // `factorY` (output pixels per input pixel). None for an empty or oversized result.
    // With `progress`, the input is still being decoded on another thread: output rows are
    // made from the top as their input rows come, and once the decoder is done a second
    // thread takes rows from the bottom up, so both cores stay busy.
    static std::optional<Bitmap> resize(const Bitmap& input, int outW, int outH, double factorX,
                                        double factorY, const RowProgress* progress = nullptr);

    // One plane of an image (or a whole interleaved image) and the size it is resized to.
    struct Plane
    {
        const Bitmap* input = nullptr;
        int width = 0;
        int height = 0;
        double factorX = 0; // output pixels per input pixel, placing the kernel
        double factorY = 0;
        // Set while the input is still being decoded.
        const RowProgress* progress = nullptr;
        // Told of the output rows finished from the top, when set; finished in every case.
        RowProgress* done = nullptr;
        // Told of the input rows no longer needed, when set (the input is a ring whose
        // producer waits for room); finished in every case.
        RowProgress* released = nullptr;
        // The result; allocated here unless it already has the plane's size.
        Bitmap output;
    };
    // Resizes every plane, using both cores; planes still being decoded are worked on as
    // their rows come. False for an empty or oversized plane, a bad factor, or a decoder
    // that stopped short.
    static bool resizePlanes(std::vector<Plane>& planes);

    // How many threads a resampling may use (bands of rows); 0 means one per core.
    static void setMaxThreads(int threads);

    // The output size for a side of `size` pixels.
    static int outputSize(int size, float factor);
};
