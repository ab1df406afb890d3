// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG images as their planes: a YCbCr or grey JPEG decoded without upsampling or colour
// conversion, and planes encoded as YCbCr 4:2:0 or grey. Resampling the planes as they
// are stored skips four conversions and, for subsampled chroma, most of the work.
#pragma once

#include "platform/JpegError.h"
#include "scaling/Bitmap.h"
#include "scaling/RowProgress.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace brelin {

// A decode on a thread of its own into planes that are there from the start, so that the
// rows decoded so far can be used while the rest come. YCbCr and grey sources only.
class JpegPlaneDecoder
{
public:
    // Reads the header for a decode reduced by `shrink` (1, 2, 4 or 8) in the DCT domain;
    // none (with a reason) when the header cannot be read, the image is too large or is
    // neither YCbCr nor grey. The planes have their sizes but no pixels until start().
    static std::unique_ptr<JpegPlaneDecoder> open(std::span<const uint8_t> jpeg, int shrink,
                                                  JpegError& error);
    // Starts the decode. A plane given a ring of n rows holds only those: the decoder waits
    // for released(i) to free the rows it is about to overwrite.
    void start(const std::vector<int>& ringRows = {});
    // Before start(): once `abandon` turns true, the decode stops at its next row of blocks
    // and finish() fails; whoever reads the planes sees them end short.
    void setAbandonFlag(const std::atomic<bool>* abandon);
    // open() and start() at once, every plane whole.
    static std::unique_ptr<JpegPlaneDecoder> start(std::span<const uint8_t> jpeg, int shrink,
                                                   JpegError& error);
    ~JpegPlaneDecoder();

    // 1 (grey) or 3 (Y, Cb, Cr); each plane is as wide and high as its samples.
    int planeCount() const { return int(planes_.size()); }
    const Bitmap& plane(int i) const { return *planes_[size_t(i)]; }
    const RowProgress& progress(int i) const { return *progress_[size_t(i)]; }
    RowProgress& released(int i) { return *released_[size_t(i)]; }
    // The rows of plane i that the decoder writes at once.
    int blockRows(int i) const;
    // The plane's samples per pixel of the decoded image across and down (1, ½, ¼).
    double shareX(int i) const { return shareX_[size_t(i)]; }
    double shareY(int i) const { return shareY_[size_t(i)]; }
    // The size of the decoded (possibly reduced) image.
    int width() const { return width_; }
    int height() const { return height_; }

    // Waits for the end of the decode; false, with libjpeg's reason, when it failed.
    bool finish(JpegError& error);

private:
    JpegPlaneDecoder() = default;
    struct Job;
    std::unique_ptr<Job> job_;
    std::vector<std::unique_ptr<Bitmap>> planes_;
    std::vector<std::unique_ptr<RowProgress>> progress_;
    std::vector<std::unique_ptr<RowProgress>> released_;
    std::vector<std::vector<unsigned char*>> pointerRows_;
    std::vector<double> shareX_, shareY_;
    int width_ = 0, height_ = 0;
    std::thread thread_;
    bool ok_ = false;
    bool opened_ = false; // the header is read and the decode not started
};

// The chroma plane size of a 4:2:0 image of `luma` samples on a side.
inline int chromaSize(int luma)
{
    return (luma + 1) / 2;
}

// Encodes one grey plane, or Y, Cb and Cr with the chroma planes at half width and height
// (chromaSize), at compression factor q, `resampled` as encodeJpeg has it, with Brelin's
// own quantiser; progressive scans where they are smaller, unless not `progressive`. With
// `ready`, each plane is still being made: its rows are encoded as they are announced there.
// `largest` as PlaneEncodeSetting has it.
std::optional<std::vector<uint8_t>>
encodeJpegPlanes(const std::vector<const Bitmap*>& planes, float q, JpegError& error,
                 const std::vector<const RowProgress*>& ready = {}, bool resampled = true,
                 bool progressive = true, size_t largest = 0);

// An RGB (3 or 4 channels) or grey bitmap encoded as encodeJpegPlanes encodes planes, after
// libjpeg's colour conversion and chroma halving; `grey` writes Y only, as encodeJpeg does.
std::optional<std::vector<uint8_t>> encodeJpegBitmap(const Bitmap& pixels, float q, bool grey,
                                                     JpegError& error, bool resampled = true,
                                                     bool progressive = true, size_t largest = 0);

// The same through libjpeg's own transform and quantiser, baseline: how Brelin encoded
// before it quantised itself, kept for the comparison in the benchmarks.
std::optional<std::vector<uint8_t>>
encodeJpegPlanesWithLibjpeg(const std::vector<const Bitmap*>& planes, float q, JpegError& error,
                            const std::vector<const RowProgress*>& ready = {},
                            bool resampled = true);

} // namespace brelin
