// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/PlaneEncoder.h"

#include "encoding/CoefficientWriter.h"
#include "encoding/EncodingTables.h"
#include "encoding/ForwardDct.h"

#include <algorithm>

namespace brelin {
namespace {

// Block row `by` of `plane`, level-shifted, as 8 rows of whole blocks: the last column
// and row repeated past the edges as libjpeg pads them.
void loadStrip(const Bitmap& plane, int by, int paddedWidth, float* strip)
{
    for (int j = 0; j < 8; ++j) {
        const uint8_t* row = plane.row(std::min(by * 8 + j, plane.height - 1));
        float* out = strip + size_t(j) * size_t(paddedWidth);
        for (int x = 0; x < plane.width; ++x)
            out[x] = float(row[x]) - 128.0f;
        for (int x = plane.width; x < paddedWidth; ++x)
            out[x] = out[plane.width - 1];
    }
}

void blockOf(const float* strip, int paddedWidth, int bx, float (&block)[64])
{
    for (int j = 0; j < 8; ++j)
        std::copy_n(strip + size_t(j) * size_t(paddedWidth) + size_t(bx) * 8, 8, block + j * 8);
}

} // namespace

std::optional<CoefficientImage> quantisePlanes(const std::vector<const Bitmap*>& planes,
                                               const PlaneEncodeSetting& setting, JpegError& error,
                                               const std::vector<const RowProgress*>& ready)
{
    const size_t count = planes.size();
    if ((count != 1 && count != 3) || !planes[0] || planes[0]->empty()) {
        error.set(JpegProblem::Other, "no pixels to encode");
        return std::nullopt;
    }
    CoefficientImage image;
    image.width = planes[0]->width;
    image.height = planes[0]->height;
    image.components = int(count);
    TableSet tables;
    if (!encodingTables(setting.quality, setting.resampled, tables)) {
        error.set(JpegProblem::Other, "out of memory");
        return std::nullopt;
    }
    std::copy(&tables.steps[0][0], &tables.steps[0][0] + 128, &image.tables[0][0]);
    const StepTable steps[2] = {StepTable(tables.steps[0]), StepTable(tables.steps[1])};
    for (size_t c = 0; c < count; ++c) {
        const Bitmap& p = *planes[c];
        if (p.channels != 1 || p.empty()) {
            error.set(JpegProblem::Other, "a plane is not one sample per pixel");
            return std::nullopt;
        }
        if (c > 0 && (p.width != (image.width + 1) / 2 || p.height != (image.height + 1) / 2)) {
            error.set(JpegProblem::Other, "the chroma planes do not fit the image");
            return std::nullopt;
        }
        CoefficientPlane& out = image.planes[c];
        out.widthInBlocks = (p.width + 7) / 8;
        out.heightInBlocks = (p.height + 7) / 8;
        out.table = c == 0 ? 0 : 1;
        out.blocks.resize(size_t(out.widthInBlocks) * size_t(out.heightInBlocks) * 64);
    }
    // Block rows in the order the planes' rows come: each plane's next block row once its
    // rows are there, the luma's two for each chroma one.
    for (size_t c = 0; c < count; ++c) {
        const Bitmap& p = *planes[c];
        CoefficientPlane& out = image.planes[c];
        const RowProgress* rows = c < ready.size() ? ready[c] : nullptr;
        const int paddedWidth = out.widthInBlocks * 8;
        std::vector<float> strip(size_t(paddedWidth) * 8);
        for (int by = 0; by < out.heightInBlocks; ++by) {
            if (rows && !rows->waitFor(std::min(by * 8 + 8, p.height))) {
                error.set(JpegProblem::Other, "the pixels to encode did not all come");
                return std::nullopt;
            }
            loadStrip(p, by, paddedWidth, strip.data());
            for (int bx = 0; bx < out.widthInBlocks; ++bx) {
                float samples[64], dct[64];
                blockOf(strip.data(), paddedWidth, bx, samples);
                forwardDct(samples, dct);
                quantiseBlock(dct, steps[out.table],
                              out.table ? setting.chromaQuantiser : setting.quantiser,
                              &tables.rate[out.table], out.block(bx, by));
            }
        }
    }
    return image;
}

std::optional<std::vector<uint8_t>> encodePlanes(const std::vector<const Bitmap*>& planes,
                                                 const PlaneEncodeSetting& setting,
                                                 JpegError& error,
                                                 const std::vector<const RowProgress*>& ready)
{
    const auto image = quantisePlanes(planes, setting, error, ready);
    if (!image)
        return std::nullopt;
    // One sequential scan is smaller for few fitted photos, by little: not worth another
    // write of every photo.
    return writeCoefficients(*image,
                             setting.progressive ? ScanScript::Searched : ScanScript::Baseline,
                             error, setting.largest);
}

} // namespace brelin
