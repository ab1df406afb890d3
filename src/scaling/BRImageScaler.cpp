// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaling/BRImageScaler.h"

#include "scaling/BRLanczosScaleTransform.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// `image` into a new RGBA bitmap of w × h, anchored at the top-left corner: transparent
// black where it does not reach, cut where it is larger.
Bitmap toRgba(const Bitmap& image, int w, int h)
{
    Bitmap out(w, h, 4);
    const int rows = std::min(h, image.height);
    const int cols = std::min(w, image.width);
    // One loop per kind of input, so that each is a plain copy the compiler can unroll.
    for (int y = 0; y < rows; ++y) {
        const uint8_t* p = image.row(y);
        uint8_t* q = out.row(y);
        if (image.channels == 4) {
            std::memcpy(q, p, size_t(cols) * 4);
        } else if (image.channels == 3) {
            for (int x = 0; x < cols; ++x, p += 3, q += 4) {
                q[0] = p[0];
                q[1] = p[1];
                q[2] = p[2];
                q[3] = 255;
            }
        } else {
            for (int x = 0; x < cols; ++x, ++p, q += 4) {
                q[0] = q[1] = q[2] = p[0];
                q[3] = 255;
            }
        }
    }
    return out;
}

// The Lanczos transform of `input`, which stands for an image of fullW × fullH (it may
// be decoded smaller), to exactly w × h: `input` itself at factor 1, else the result kept
// in `storage`; null when it cannot be made.
const Bitmap* lanczos(const Bitmap& input, int fullW, int fullH, float scale, int w, int h,
                      std::optional<Bitmap>& storage)
{
    if (scale == 1.0f && input.width == w && input.height == h)
        return &input; // Lanczos at factor 1 weighs the centre pixel alone
    // The kernel is placed for the full image's factor, on the pixels at hand.
    storage = BRLanczosScaleTransform::resize(input, w, h, double(scale) * fullW / input.width,
                                              double(scale) * fullH / input.height);
    return storage ? &*storage : nullptr;
}

} // namespace

BRImageScaler::BRImageScaler()
{
    setScalesImage(true);
    setMaxPixelsWide(400);
    setMaxPixelsHigh(1000);
    // The filter exists from here on; the rebuilds above left the chain empty.
    filterMade_ = true;
}

void BRImageScaler::setInputBitmapImageRep(std::shared_ptr<const Bitmap> bitmap)
{
    const int w = bitmap ? bitmap->width : 0;
    const int h = bitmap ? bitmap->height : 0;
    setInputBitmapImageRep(std::move(bitmap), w, h);
}

void BRImageScaler::setInputBitmapImageRep(std::shared_ptr<const Bitmap> bitmap, int fullWidth,
                                           int fullHeight)
{
    if (bitmap == inputBitmapImageRep_)
        return;
    inputBitmapImageRep_ = std::move(bitmap);
    inputWidth_ = inputBitmapImageRep_ ? fullWidth : 0;
    inputHeight_ = inputBitmapImageRep_ ? fullHeight : 0;
    updateOutputImage();
}

void BRImageScaler::setScalesImage(bool scales)
{
    if (scales == scalesImage_ && filterMade_)
        return;
    scalesImage_ = scales;
    updateOutputImage();
}

void BRImageScaler::setMaxPixelsWide(int pixels)
{
    if (pixels == maxPixelsWide_)
        return;
    maxPixelsWide_ = pixels;
    updateOutputImage();
}

void BRImageScaler::setMaxPixelsHigh(int pixels)
{
    if (pixels == maxPixelsHigh_)
        return;
    maxPixelsHigh_ = pixels;
    updateOutputImage();
}

void BRImageScaler::setScaleFactor(float factor)
{
    if (factor == scaleFactor_) // a NaN is never equal, so it always rebuilds
        return;
    scaleFactor_ = factor;
    updateOutputImage();
}

float BRImageScaler::scaleFactor() const
{
    if (!isScalingAbsolute_)
        return scaleFactor_;
    if (!inputBitmapImageRep_ || !scalesImage_)
        return 1.0f;
    const float ratioWide = float(maxPixelsWide_) / float(inputWidth_);
    const float ratioHigh = float(maxPixelsHigh_) / float(inputHeight_);
    const float m = ratioWide < ratioHigh ? ratioWide : ratioHigh;
    return double(m) > 1.0 ? 1.0f : m;
}

void BRImageScaler::updateOutputImage()
{
    ++rebuilds_;
    chainScale_.reset();
    if (scalesImage_ && filterMade_)
        chainScale_ = scaleFactor();
}

int BRImageScaler::outputPixelsWide() const
{
    return inputBitmapImageRep_ ? BRLanczosScaleTransform::outputSize(inputWidth_, scaleFactor())
                                : 0;
}

int BRImageScaler::outputPixelsHigh() const
{
    return inputBitmapImageRep_ ? BRLanczosScaleTransform::outputSize(inputHeight_, scaleFactor())
                                : 0;
}

std::optional<Bitmap> BRImageScaler::outputBitmapImageRep() const
{
    lastError_.clear();
    if (!inputBitmapImageRep_ || inputBitmapImageRep_->empty()) {
        lastError_ = "no input image";
        return std::nullopt;
    }
    const int w = outputPixelsWide();
    const int h = outputPixelsHigh();
    if (w <= 0 || h <= 0) {
        lastError_ = "the output would have no pixels";
        return std::nullopt;
    }
    if (uint64_t(w) * uint64_t(h) > kMaxPixels) {
        lastError_ = "the output would be too large";
        return std::nullopt;
    }
    // The chain's output: the scaled image, or the input itself without the filter.
    if (!chainScale_)
        return toRgba(*inputBitmapImageRep_, w, h);
    std::optional<Bitmap> storage;
    const Bitmap* scaled =
        lanczos(*inputBitmapImageRep_, inputWidth_, inputHeight_, *chainScale_, w, h, storage);
    if (!scaled) {
        lastError_ = "the image cannot be scaled by that factor";
        return std::nullopt;
    }
    return toRgba(*scaled, w, h);
}

std::optional<BRScaledImage> BRImageScaler::outputImage() const
{
    if (!inputBitmapImageRep_ || inputBitmapImageRep_->empty())
        return std::nullopt;
    BRScaledImage image;
    image.input_ = inputBitmapImageRep_;
    image.fullWidth_ = inputWidth_;
    image.fullHeight_ = inputHeight_;
    image.scale_ = chainScale_;
    image.width_ =
        chainScale_ ? BRLanczosScaleTransform::outputSize(inputWidth_, *chainScale_) : inputWidth_;
    image.height_ = chainScale_ ? BRLanczosScaleTransform::outputSize(inputHeight_, *chainScale_)
                                : inputHeight_;
    if (image.width_ <= 0 || image.height_ <= 0)
        return std::nullopt;
    return image;
}

std::optional<Bitmap> BRScaledImage::render() const
{
    if (uint64_t(width_) * uint64_t(height_) > kMaxPixels)
        return std::nullopt;
    if (!scale_)
        return toRgba(*input_, width_, height_);
    std::optional<Bitmap> storage;
    const Bitmap* scaled =
        lanczos(*input_, fullWidth_, fullHeight_, *scale_, width_, height_, storage);
    if (!scaled)
        return std::nullopt;
    return toRgba(*scaled, width_, height_);
}
