// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JpegCodec.h"
#include "platform/JpegCommon.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace brelin {
namespace {

// The decompression steps that may jump; kept apart from every C++ object.
struct DecodeJob
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    std::span<const uint8_t> bytes;
    int shrink;
    bool fastUpsampling;
    bool headerOnly;
    JpegInfo info;
    bool adobe;
    int outW, outH, outC;
    J_COLOR_SPACE outSpace;
    uint8_t* pixels; // caller's buffer, outW × outH × outC
};

bool runHeader(DecodeJob& job)
{
    if (setjmp(job.err.jump)) {
        jpeg_destroy_decompress(&job.cinfo);
        return false;
    }
    openDecompress(job.cinfo, job.err, job.bytes);
    job.info.width = int(job.cinfo.image_width);
    job.info.height = int(job.cinfo.image_height);
    job.info.components = job.cinfo.num_components;
    job.info.grey = job.cinfo.jpeg_color_space == JCS_GRAYSCALE;
    job.info.ycc = job.cinfo.jpeg_color_space == JCS_YCbCr && job.cinfo.num_components == 3;
    job.adobe = job.cinfo.saw_Adobe_marker;
    if (job.headerOnly) {
        jpeg_destroy_decompress(&job.cinfo);
        return true;
    }
    job.cinfo.scale_num = 1;
    job.cinfo.scale_denom = unsigned(job.shrink);
    const J_COLOR_SPACE in = job.cinfo.jpeg_color_space;
    job.outSpace = in == JCS_GRAYSCALE                  ? JCS_GRAYSCALE
                   : (in == JCS_CMYK || in == JCS_YCCK) ? JCS_CMYK
                                                        : JCS_RGB;
    job.cinfo.out_color_space = job.outSpace;
    job.cinfo.dct_method = JDCT_ISLOW;
    // Reduced images are resampled afterwards, which hides the plainer chroma
    // upsampling; at full size the smooth one is kept.
    job.cinfo.do_fancy_upsampling = job.fastUpsampling ? FALSE : TRUE;
    jpeg_calc_output_dimensions(&job.cinfo);
    job.outW = int(job.cinfo.output_width);
    job.outH = int(job.cinfo.output_height);
    job.outC = job.cinfo.output_components;
    return true;
}

bool runDecode(DecodeJob& job)
{
    if (setjmp(job.err.jump)) {
        jpeg_destroy_decompress(&job.cinfo);
        return false;
    }
    jpeg_start_decompress(&job.cinfo);
    const size_t stride = size_t(job.outW) * size_t(job.outC);
    while (job.cinfo.output_scanline < job.cinfo.output_height) {
        JSAMPROW row = job.pixels + size_t(job.cinfo.output_scanline) * stride;
        jpeg_read_scanlines(&job.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&job.cinfo);
    jpeg_destroy_decompress(&job.cinfo);
    return true;
}

// CMYK as libjpeg gives it to RGB. Adobe writes it inverted (255 is no ink).
void cmykToRgb(const uint8_t* cmyk, size_t pixels, bool inverted, uint8_t* rgb)
{
    for (size_t i = 0; i < pixels; ++i) {
        int c = cmyk[4 * i], m = cmyk[4 * i + 1], y = cmyk[4 * i + 2], k = cmyk[4 * i + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[3 * i] = uint8_t((c * k + 127) / 255);
        rgb[3 * i + 1] = uint8_t((m * k + 127) / 255);
        rgb[3 * i + 2] = uint8_t((y * k + 127) / 255);
    }
}

struct EncodeJob
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    const Bitmap* pixels;
    bool grey;
    int quality;
    bool resampled;
    unsigned char* out;
    unsigned long outSize;
    std::vector<uint8_t>* greyRow;
};

bool runEncode(EncodeJob& job)
{
    job.cinfo.err = installErrors(job.err);
    if (setjmp(job.err.jump)) {
        jpeg_destroy_compress(&job.cinfo);
        return false;
    }
    jpeg_create_compress(&job.cinfo);
    jpeg_mem_dest(&job.cinfo, &job.out, &job.outSize);
    const Bitmap& b = *job.pixels;
    job.cinfo.image_width = JDIMENSION(b.width);
    job.cinfo.image_height = JDIMENSION(b.height);
    if (job.grey) {
        job.cinfo.input_components = 1;
        job.cinfo.in_color_space = JCS_GRAYSCALE;
    } else {
        job.cinfo.input_components = b.channels;
        job.cinfo.in_color_space = b.channels == 4 ? JCS_EXT_RGBA : JCS_RGB;
    }
    jpeg_set_defaults(&job.cinfo);
    chooseEncoding(job.cinfo, job.quality, job.resampled);
    jpeg_start_compress(&job.cinfo, TRUE);
    while (job.cinfo.next_scanline < job.cinfo.image_height) {
        const uint8_t* src = b.row(int(job.cinfo.next_scanline));
        JSAMPROW row;
        if (job.grey && b.channels != 1) {
            // Grey sources stay one component: their R, G and B are equal.
            uint8_t* g = job.greyRow->data();
            for (int x = 0; x < b.width; ++x)
                g[x] = src[size_t(x) * size_t(b.channels)];
            row = g;
        } else {
            row = const_cast<JSAMPROW>(src);
        }
        jpeg_write_scanlines(&job.cinfo, &row, 1);
    }
    jpeg_finish_compress(&job.cinfo);
    jpeg_destroy_compress(&job.cinfo);
    return true;
}

} // namespace

int qualityFor(float q)
{
    if (!std::isfinite(q))
        return q > 0 ? 100 : 1;
    return int(std::clamp(std::lround(double(q) * 100.0), 1L, 100L));
}

std::optional<JpegInfo> readJpegInfo(std::span<const uint8_t> jpeg, JpegError& error)
{
    DecodeJob job{};
    job.bytes = jpeg;
    job.shrink = 1;
    job.headerOnly = true;
    if (!runHeader(job)) {
        job.err.fillIn(error);
        return std::nullopt;
    }
    return job.info;
}

std::optional<DecodedJpeg> decodeJpeg(std::span<const uint8_t> jpeg, int shrink, JpegError& error,
                                      bool fastUpsampling)
{
    if (shrink != 1 && shrink != 2 && shrink != 4 && shrink != 8)
        shrink = 1;
    DecodeJob job{};
    job.bytes = jpeg;
    job.shrink = shrink;
    job.fastUpsampling = fastUpsampling;
    if (!runHeader(job)) {
        job.err.fillIn(error);
        return std::nullopt;
    }
    PixelBuffer raw(size_t(job.outW) * size_t(job.outH) * size_t(job.outC)); // written whole
    job.pixels = raw.data();
    if (!runDecode(job)) {
        job.err.fillIn(error);
        return std::nullopt;
    }
    DecodedJpeg out;
    out.info = job.info;
    out.shrink = shrink;
    if (job.outSpace == JCS_CMYK) {
        out.bitmap = Bitmap(job.outW, job.outH, 3);
        cmykToRgb(raw.data(), size_t(job.outW) * size_t(job.outH), job.adobe,
                  out.bitmap.pixels.data());
    } else {
        out.bitmap.width = job.outW;
        out.bitmap.height = job.outH;
        out.bitmap.channels = job.outC;
        out.bitmap.pixels = std::move(raw);
    }
    return out;
}

std::optional<std::vector<uint8_t>> encodeJpeg(const Bitmap& pixels, float q, bool grey,
                                               JpegError& error, bool resampled)
{
    if (pixels.empty() || (pixels.channels != 1 && pixels.channels != 3 && pixels.channels != 4)) {
        error.set(JpegProblem::Other, "no pixels to encode");
        return std::nullopt;
    }
    std::vector<uint8_t> greyRow(size_t(pixels.width));
    EncodeJob job{};
    job.pixels = &pixels;
    job.grey = grey || pixels.channels == 1;
    job.quality = qualityFor(q);
    job.resampled = resampled;
    job.greyRow = &greyRow;
    if (!runEncode(job)) {
        job.err.fillIn(error);
        free(job.out);
        return std::nullopt;
    }
    return takeBytes(job.out, job.outSize);
}

} // namespace brelin
