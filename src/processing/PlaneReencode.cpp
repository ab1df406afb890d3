// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/PlaneReencode.h"

#include "platform/JpegPlanes.h"
#include "scaling/BRLanczosScaleTransform.h"
#include "scaling/LanczosWeights.h"
#include "scaling/Orientation.h"

#include <thread>

namespace brelin {

struct ScaledPlanes
{
    std::unique_ptr<JpegPlaneDecoder> decoder; // owns the planes used at their own size
    std::vector<BRLanczosScaleTransform::Plane> resized;
    std::vector<RowProgress> done;
    std::vector<Bitmap> turned;
    std::vector<const Bitmap*> planes; // what is encoded
    bool resampled = true;
    bool progressive = true;
};

std::optional<std::vector<uint8_t>> reencodePlanes(std::span<const uint8_t> jpeg,
                                                   const JpegInfo& info,
                                                   const PlaneReencodeJob& job,
                                                   PlaneReencodeFailure& failure, JpegError& error,
                                                   std::shared_ptr<const ScaledPlanes>* kept)
{
    failure = PlaneReencodeFailure::Decode;
    auto decoder = JpegPlaneDecoder::open(jpeg, job.shrink, error);
    if (!decoder)
        return std::nullopt;
    decoder->setAbandonFlag(job.abandon);
    const int count = decoder->planeCount();
    // The kernel is placed for the full image's factor, on the pixels at hand.
    const double fx = double(job.factor) * info.width / decoder->width();
    const double fy = double(job.factor) * info.height / decoder->height();

    std::vector<BRLanczosScaleTransform::Plane> resized;
    std::vector<RowProgress> done(static_cast<size_t>(count));
    std::vector<int> source; // the decoded plane of each resized one
    std::vector<int> ring(static_cast<size_t>(count), 0);
    std::vector<const Bitmap*> planes(static_cast<size_t>(count));
    std::vector<const RowProgress*> ready(static_cast<size_t>(count));
    resized.reserve(size_t(count));
    for (int c = 0; c < count; ++c) {
        // The output is 4:2:0: chroma at half the luma's samples each way.
        const double outShare = c == 0 ? 1.0 : 0.5;
        const int w = c == 0 ? job.outW : chromaSize(job.outW);
        const int h = c == 0 ? job.outH : chromaSize(job.outH);
        const double px = fx * outShare / decoder->shareX(c);
        const double py = fy * outShare / decoder->shareY(c);
        const Bitmap& in = decoder->plane(c);
        if (px == 1.0 && py == 1.0 && in.width == w && in.height == h) {
            // Lanczos at factor 1 weighs the centre sample alone: the plane as it is.
            planes[size_t(c)] = &in;
            ready[size_t(c)] = &decoder->progress(c);
            continue;
        }
        // Reducing, the scaler reads a window of rows that moves down the plane: the
        // decoder keeps only that window and waits for the scaler to move on.
        const bool reduces = h <= in.height;
        if (reduces)
            ring[size_t(c)] = LanczosWeights::tapsFor(in.height, py) + 2 * decoder->blockRows(c);
        BRLanczosScaleTransform::Plane p{&in,
                                         w,
                                         h,
                                         px,
                                         py,
                                         &decoder->progress(c),
                                         &done[size_t(c)],
                                         reduces ? &decoder->released(c) : nullptr,
                                         Bitmap::uninitialized(w, h, 1)};
        resized.push_back(std::move(p));
        source.push_back(c);
    }
    for (size_t k = 0; k < resized.size(); ++k) {
        planes[size_t(source[k])] = &resized[k].output;
        ready[size_t(source[k])] = &done[size_t(source[k])];
    }

    decoder->start(ring);
    bool scaled = true;
    std::thread resizer;
    if (!resized.empty())
        resizer = std::thread([&] { scaled = BRLanczosScaleTransform::resizePlanes(resized); });
    std::optional<std::vector<uint8_t>> encoded;
    JpegError encodeError;
    std::vector<Bitmap> turned;
    std::vector<const Bitmap*> upright;
    if (job.orientation == 1) {
        encoded = encodeJpegPlanes(planes, job.quality, encodeError, ready, job.resampled,
                                   job.progressive);
    } else {
        // Turned, every row of the output depends on the last input row: whole planes first.
        bool complete = true;
        for (int c = 0; c < count; ++c)
            complete = ready[size_t(c)]->waitForEnd(planes[size_t(c)]->height) && complete;
        if (complete) {
            turned.reserve(size_t(count));
            for (int c = 0; c < count; ++c) {
                turned.push_back(turnUpright(*planes[size_t(c)], job.orientation));
                upright.push_back(&turned.back());
            }
            encoded = encodeJpegPlanes(upright, job.quality, encodeError, {}, job.resampled,
                                       job.progressive);
        }
    }
    if (resizer.joinable())
        resizer.join();
    // Damage found late in the image data fails the file like damage found early.
    if (!decoder->finish(error))
        return std::nullopt;
    if (!scaled) {
        failure = PlaneReencodeFailure::Scale;
        error.set(JpegProblem::Other, "the image cannot be scaled by that factor");
        return std::nullopt;
    }
    if (!encoded) {
        failure = PlaneReencodeFailure::Encode;
        error = encodeError;
        return std::nullopt;
    }
    failure = PlaneReencodeFailure::None;
    if (kept) {
        auto planesKept = std::make_shared<ScaledPlanes>();
        // Moved vectors keep their elements where they are, so the pointers stay good.
        planesKept->planes = job.orientation == 1 ? planes : upright;
        planesKept->decoder = std::move(decoder);
        planesKept->resized = std::move(resized);
        planesKept->done = std::move(done);
        planesKept->turned = std::move(turned);
        planesKept->resampled = job.resampled;
        planesKept->progressive = job.progressive;
        *kept = std::move(planesKept);
    }
    return encoded;
}

std::optional<std::vector<uint8_t>> encodeScaledPlanes(const ScaledPlanes& planes, float q,
                                                       JpegError& error, size_t largest)
{
    return encodeJpegPlanes(planes.planes, q, error, {}, planes.resampled, planes.progressive,
                            largest);
}

} // namespace brelin
