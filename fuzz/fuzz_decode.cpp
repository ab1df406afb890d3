// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the decode path of the re-encode step on a whole file. The header;
// then, for YCbCr and grey images, the planes reduced in the DCT domain and resampled to a
// small size and encoded anew, as the re-encode step does it; for the others (CMYK, YCCK,
// RGB) and some YCbCr ones, the RGB decode. The last byte picks the reduction.
#include "platform/JpegCodec.h"
#include "processing/PlaneReencode.h"
#include "scaling/BRLanczosScaleTransform.h"

#include <cstddef>
#include <cstdint>

using namespace brelin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> jpeg(data, size);
    JpegError error;
    const auto info = readJpegInfo(jpeg, error);
    if (!info)
        return 0;
    // The same code runs on larger images; small ones keep each run short (about 1,700
    // runs a second instead of 100 at 2^20 pixels).
    if (uint64_t(info->width) * uint64_t(info->height) > (uint64_t(1) << 14))
        return 0;
    const uint8_t pick = size ? data[size - 1] : 0;
    const int shrink = 1 << (pick & 3);
    if (info->ycc || info->grey) {
        PlaneReencodeJob job;
        job.factor = 0.3f;
        job.outW = BRLanczosScaleTransform::outputSize(info->width, job.factor);
        job.outH = BRLanczosScaleTransform::outputSize(info->height, job.factor);
        job.shrink = shrink;
        job.orientation = 1 + (pick >> 5);
        job.quality = 0.8f;
        PlaneReencodeFailure failure;
        if (job.outW > 0 && job.outH > 0) {
            const auto out = reencodePlanes(jpeg, *info, job, failure, error);
            // What it makes is a JPEG of the size asked for, turned as asked.
            if (out) {
                JpegError again;
                const auto made = readJpegInfo(*out, again);
                const bool swap = job.orientation >= 5;
                if (!made || made->width != (swap ? job.outH : job.outW) ||
                    made->height != (swap ? job.outW : job.outH))
                    __builtin_trap();
            }
        }
        if (!(pick & 4))
            return 0;
    }
    const auto decoded = decodeJpeg(jpeg, shrink, error, pick & 8);
    if (decoded && (decoded->bitmap.width != (info->width + shrink - 1) / shrink ||
                    decoded->bitmap.height != (info->height + shrink - 1) / shrink))
        __builtin_trap();
    return 0;
}
