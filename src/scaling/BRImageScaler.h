// SPDX-License-Identifier: GPL-3.0-or-later
// Scales one bitmap into a new RGBA bitmap through a chain whose only filter is the
// Lanczos scale transform: by a factor (relative mode) or to fit a box without
// enlarging (absolute mode). The chain is rebuilt on every real change of a setting;
// pixels are computed only when the output bitmap is asked for.
#pragma once

#include "scaling/Bitmap.h"

#include <memory>
#include <optional>
#include <string>

// The chain's output as a whole image, described but not rendered: the input, and the
// factor of the Lanczos transform when the chain has it.
class BRScaledImage
{
public:
    // The extent: the input's size times the factor, or the input's own size.
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixels of the whole extent, RGBA; none when they would exceed kMaxPixels.
    std::optional<Bitmap> render() const;

private:
    friend class BRImageScaler;
    std::shared_ptr<const Bitmap> input_;
    int fullWidth_ = 0, fullHeight_ = 0;
    std::optional<float> scale_;
    int width_ = 0, height_ = 0;
};

class BRImageScaler
{
public:
    BRImageScaler();

    const std::shared_ptr<const Bitmap>& inputBitmapImageRep() const
    {
        return inputBitmapImageRep_;
    }
    void setInputBitmapImageRep(std::shared_ptr<const Bitmap> bitmap);
    // A bitmap that stands for an image of fullWidth × fullHeight pixels, decoded smaller
    // (a JPEG reduced in the DCT domain): sizes and factors are those of the full image.
    void setInputBitmapImageRep(std::shared_ptr<const Bitmap> bitmap, int fullWidth,
                                int fullHeight);
    int inputPixelsWide() const { return inputWidth_; }
    int inputPixelsHigh() const { return inputHeight_; }

    bool scalesImage() const { return scalesImage_; }
    void setScalesImage(bool scales);
    int maxPixelsWide() const { return maxPixelsWide_; }
    void setMaxPixelsWide(int pixels);
    int maxPixelsHigh() const { return maxPixelsHigh_; }
    void setMaxPixelsHigh(int pixels);
    // Stores the mode only; the next change of another setting rebuilds the chain.
    void setScalingTypeAbsolute(bool absolute) { isScalingAbsolute_ = absolute; }

    // The effective factor: the stored one in relative mode; in absolute mode the
    // smaller of the box's ratios to the input, never above 1.
    float scaleFactor() const;
    void setScaleFactor(float factor);

    int outputPixelsWide() const;
    int outputPixelsHigh() const;
    // A new RGBA bitmap of outputPixelsWide × outputPixelsHigh, transparent where the
    // image does not reach, the image anchored at the top-left corner. None when a side
    // is 0 or the size exceeds kMaxPixels (lastError() says which).
    std::optional<Bitmap> outputBitmapImageRep() const;
    // The chain's output, not rendered; none without an input or when the extent is empty.
    std::optional<BRScaledImage> outputImage() const;

    // The factor the chain's filter holds (the effective factor at the last rebuild),
    // or none when the chain is empty; and how often the chain was rebuilt.
    std::optional<float> chainScale() const { return chainScale_; }
    int rebuilds() const { return rebuilds_; }
    const std::string& lastError() const { return lastError_; }

private:
    void updateOutputImage();

    std::shared_ptr<const Bitmap> inputBitmapImageRep_;
    int inputWidth_ = 0;
    int inputHeight_ = 0;
    bool scalesImage_ = true;
    int maxPixelsWide_ = 0;
    int maxPixelsHigh_ = 0;
    bool isScalingAbsolute_ = false;
    float scaleFactor_ = 0.0f;
    bool filterMade_ = false;
    std::optional<float> chainScale_;
    int rebuilds_ = 0;
    mutable std::string lastError_;
};
