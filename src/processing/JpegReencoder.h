// SPDX-License-Identifier: GPL-3.0-or-later
// The re-encode step: a JPEG decoded, scaled by the factor the settings give and
// encoded anew into the run's temporary folder.
#pragma once

#include "platform/JpegCodec.h"
#include "processing/GainMapCarrier.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <atomic>
#include <memory>
#include <optional>

struct Bitmap;

namespace brelin {

struct ScaledPlanes;

class ScaledImageCache;

class JpegReencoder
{
public:
    JpegReencoder(const QVariantMap& prefs, const QString& tmp);

    // The new JPEG in the temporary folder, or none (logged, with the reason for the
    // list of unprocessed files).
    std::optional<QString> makeAndScaleJPEG(const QString& source, float quality,
                                            QString* reason = nullptr);

    // The same in two steps: the source is read and its header checked first, so that a
    // caller starts nothing else for a file libjpeg cannot read.
    bool load(const QString& source, QString* reason = nullptr);
    std::optional<QString> makeAndScaleJPEG(float quality, QString* reason = nullptr);
    // After makeAndScaleJPEG: whether the new image has the source's own pixel size.
    bool keepsPixelSize() const { return keepsPixelSize_; }
    // After load: where the new image will stand against the source, for the source's
    // gain map, made at `quality` or above; and the source's bytes.
    GainMapJob gainMapJob(float quality) const;
    const QByteArray& sourceBytes() const { return jpeg_; }

    // On: makeAndScaleJPEG keeps its scaled image, so that encodeAgain() encodes it at
    // other qualities without decoding and scaling it again (the size target's search).
    void setKeepsScaledImage(bool on) { keepsScaled_ = on; }
    // With a cache, makeAndScaleJPEG encodes the scaled image kept there when the photo
    // and every setting but the quality are those it was made under, and keeps its own
    // there otherwise.
    void setScaledImageCache(std::shared_ptr<ScaledImageCache> cache) { cache_ = std::move(cache); }
    // After makeAndScaleJPEG: the image encoded as it encoded it, at `quality`. With
    // `largest`, a result that would surely have more bytes need not be made: then none is
    // returned, nothing is logged and `atLeast` (when given) holds its bytes at the least.
    std::optional<std::vector<uint8_t>> encodeAgain(float quality, QString* reason = nullptr,
                                                    size_t largest = 0, size_t* atLeast = nullptr);

    // When set and true, a decode in progress stops early and makeAndScaleJPEG fails: the
    // compare view's work for settings no longer current.
    void setAbandonFlag(const std::atomic<bool>* abandon) { abandon_ = abandon; }

    // The factor for ScalingType 2, for an image of these pixel sides as displayed. An
    // image already within the bound of ScalingFixedType 4, 5 or 6 keeps its size.
    float getAbsoluteFactorForImageRep(int pixelsWide, int pixelsHigh) const;

    // round(length × factor) / length: the factor that makes `length` whole pixels.
    static double getFactorForLength(double length, double factor);

private:
    struct Plan
    {
        bool scales = true;
        float factor = 0.0f;
        int outW = 0;
        int outH = 0;
    };
    Plan plan() const;
    std::optional<QString> fail(const QString& why, QString* reason) const;
    // What the scaled image depends on besides the pixels: the file as it is on disk and
    // the settings that place, turn and lay it out.
    QString cacheKey() const;
    void keepInCache() const;

    QVariantMap prefs_;
    QString tmp_;
    QString source_;
    QString target_;
    QByteArray jpeg_;
    JpegInfo info_;
    int orientation_ = 1;
    bool keepsPixelSize_ = false;
    bool keepsScaled_ = false;
    std::shared_ptr<const ScaledPlanes> scaledPlanes_;
    std::shared_ptr<const Bitmap> scaledBitmap_; // RGB, CMYK and RGB-coded images
    bool grey_ = false;
    bool resampled_ = true;
    std::shared_ptr<ScaledImageCache> cache_;
    const std::atomic<bool>* abandon_ = nullptr;
};

} // namespace brelin
