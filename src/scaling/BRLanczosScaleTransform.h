// Separable Lanczos-3 resampling with one factor for both directions: a horizontal
// pass, then a vertical one, each with weights built once for its axis.
#pragma once

#include "scaling/Bitmap.h"
#include "scaling/RowProgress.h"

#include <optional>

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

    // How many threads a resampling may use (bands of rows); 0 means one per core.
    static void setMaxThreads(int threads);

    // The output size for a side of `size` pixels.
    static int outputSize(int size, float factor);
};
