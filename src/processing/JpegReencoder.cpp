// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/JpegReencoder.h"
#include "platform/ByteSpan.h"

#include "platform/AtomicFile.h"
#include "platform/BRLog.h"
#include "platform/ExifOrientation.h"
#include "platform/JpegCodec.h"
#include "platform/JpegPlanes.h"
#include "processing/MetadataTransfer.h"
#include "processing/PlaneReencode.h"
#include "processing/ScaledImageCache.h"
#include "processing/UnreadableReason.h"
#include "scaling/BRImageScaler.h"
#include "scaling/BRLanczosScaleTransform.h"
#include "scaling/Orientation.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cmath>

namespace brelin {
namespace {

// The largest reduction in the DCT domain that leaves at least twice the target size,
// so that Lanczos still does the last, finer part.
int shrinkFor(int w, int h, int outW, int outH)
{
    for (int d : {8, 4, 2}) {
        const int dw = (w + d - 1) / d;
        const int dh = (h + d - 1) / d;
        if (dw >= 2 * outW && dh >= 2 * outH)
            return d;
    }
    return 1;
}

} // namespace

JpegReencoder::JpegReencoder(const QVariantMap& prefs, const QString& tmp)
    : prefs_(prefs), tmp_(tmp)
{
}

double JpegReencoder::getFactorForLength(double length, double factor)
{
    return std::round(length * factor) / length;
}

float JpegReencoder::getAbsoluteFactorForImageRep(int pixelsWide, int pixelsHigh) const
{
    const double H = pixelsHigh;
    const double W = pixelsWide;
    const double V = recordDouble(prefs_, key::ScalingFixedValue);
    const int K = recordInt(prefs_, key::ScalingFixedType);
    double L = 0;
    switch (K) {
    case FixedWidth:
        L = W;
        break;
    case FixedHeight:
        L = H;
        break;
    case FixedShorterSide:
        L = W > H ? H : W;
        break;
    case FixedLongerSide:
        L = H > W ? H : W;
        break;
    case FixedWidthIfWider:
        if (!(W > V))
            return 1.0f; // already within the bound: kept at its own size
        L = W;
        break;
    case FixedLongerSideIfLonger:
        L = H > W ? H : W;
        if (!(L > V))
            return 1.0f;
        break;
    default:
        if (!(H > V))
            return 1.0f;
        L = H;
        break;
    }
    const double exact = getFactorForLength(L, V / L);
    // The scaler multiplies in single precision and rounds down, so the nearest float to
    // V / L can land a hair under V and give a side one pixel short (2592 fitted to 1920
    // gave 1919): the factor is raised to the next float that reaches the length.
    const float wanted = float(std::round(L * exact));
    float factor = float(exact);
    while (std::floor(float(L) * factor) < wanted)
        factor = std::nextafter(factor, 2.0f * factor + 1.0f);
    return factor;
}

std::optional<QString> JpegReencoder::fail(const QString& why, QString* reason) const
{
    brLog(QStringLiteral("Unable to write output file: %1")
              .arg(QUrl::fromLocalFile(target_).toString()));
    if (reason)
        *reason = why;
    return std::nullopt;
}

std::optional<QString> JpegReencoder::makeAndScaleJPEG(const QString& source, float quality,
                                                       QString* reason)
{
    if (!load(source, reason))
        return std::nullopt;
    return makeAndScaleJPEG(quality, reason);
}

bool JpegReencoder::load(const QString& source, QString* reason)
{
    source_ = source;
    target_ = QDir(tmp_).filePath(intermediateName(source));
    jpeg_.clear();
    QFile file(source);
    bool read = file.open(QIODevice::ReadOnly);
    if (read) {
        // Read at its size: readAll() would grow its buffer and hold twice the file.
        jpeg_.resize(qsizetype(file.size()));
        read = file.read(jpeg_.data(), jpeg_.size()) == jpeg_.size();
    }
    if (!read) {
        jpeg_.clear();
        fail(QCoreApplication::translate("JpegReencoder", "The file cannot be read."), reason);
        return false;
    }
    JpegError error;
    const auto info = readJpegInfo(bytesOf(jpeg_), error);
    if (!info) {
        brLog(QStringLiteral("Cannot decode %1: %2")
                  .arg(source, QString::fromStdString(error.message)));
        fail(unreadableReason(error), reason);
        jpeg_.clear();
        return false;
    }
    info_ = *info;
    orientation_ = jpegOrientation(bytesOf(jpeg_));
    return true;
}

JpegReencoder::Plan JpegReencoder::plan() const
{
    // The factor, and whether the scaler scales at all.
    const int type = recordInt(prefs_, key::ScalingType);
    Plan p;
    if (type == KeepSize) {
        p.factor = 1.0f;
    } else if (type == ScaleByFactor) {
        p.factor = float(recordDouble(prefs_, key::ScalingFactor));
    } else if (type == ScaleToLength) {
        // The length applies to the image as the user sees it.
        const bool swap = swapsSides(orientation_);
        p.factor = getAbsoluteFactorForImageRep(swap ? info_.height : info_.width,
                                                swap ? info_.width : info_.height);
    } else {
        p.scales = false;
    }
    p.outW = BRLanczosScaleTransform::outputSize(info_.width, p.factor);
    p.outH = BRLanczosScaleTransform::outputSize(info_.height, p.factor);
    return p;
}

GainMapJob JpegReencoder::gainMapJob(float quality) const
{
    const Plan p = plan();
    const bool turn = recordFlag(prefs_, key::RemoveEXIF) && orientation_ != 1;
    return {info_.width, info_.height, p.outW, p.outH, turn ? orientation_ : 1, quality};
}

std::optional<QString> JpegReencoder::makeAndScaleJPEG(float quality, QString* reason)
{
    const QString& source = source_;
    const QString& target = target_;
    const JpegInfo* info = &info_;
    const int orientation = orientation_;
    const QByteArray& jpeg = jpeg_;
    keepsPixelSize_ = false;
    scaledPlanes_.reset();
    scaledBitmap_.reset();
    if (jpeg.isEmpty())
        return fail(QCoreApplication::translate("JpegReencoder", "The file cannot be read."),
                    reason);
    JpegError error;
    const auto undecodable = [&] {
        // Work abandoned on purpose is no fault of the file's.
        if (!abandon_ || !abandon_->load())
            brLog(QStringLiteral("Cannot decode %1: %2")
                      .arg(source, QString::fromStdString(error.message)));
        return fail(unreadableReason(error), reason);
    };
    const auto [scales, factor, outW, outH] = plan();
    if (outW <= 0 || outH <= 0 || uint64_t(outW) * uint64_t(outH) > kMaxPixels) {
        brLog(QStringLiteral("No usable size for %1 at factor %2").arg(source).arg(double(factor)));
        return fail(QCoreApplication::translate("JpegReencoder",
                                                "The settings give the image no usable size."),
                    reason);
    }
    keepsPixelSize_ = outW == info->width && outH == info->height;
    const bool turn = recordFlag(prefs_, key::RemoveEXIF) && orientation != 1;
    const auto written = [&](const std::vector<uint8_t>& bytes) -> std::optional<QString> {
        if (!writeScratchFile(target, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                 qsizetype(bytes.size()))))
            return fail(QCoreApplication::translate("JpegReencoder",
                                                    "The temporary folder cannot be written."),
                        reason);
        return target;
    };
    if (cache_) {
        if (const auto kept = cache_->find(cacheKey())) {
            scaledPlanes_ = kept->planes;
            scaledBitmap_ = kept->bitmap;
            grey_ = kept->grey;
            resampled_ = kept->resampled;
            const auto encoded = encodeAgain(quality, reason);
            return encoded ? written(*encoded) : std::nullopt;
        }
    }
    const bool keeps = keepsScaled_ || cache_;
    const auto unencodable = [&] {
        brLog(QStringLiteral("Cannot encode %1: %2")
                  .arg(source, QString::fromStdString(error.message)));
        return fail(QCoreApplication::translate("JpegReencoder", "The image cannot be encoded."),
                    reason);
    };
    const auto unscalable = [&] {
        return fail(QCoreApplication::translate("JpegReencoder", "The image cannot be scaled."),
                    reason);
    };
    const int shrink = scales ? shrinkFor(info->width, info->height, outW, outH) : 1;

    if (scales && (info->ycc || info->grey)) {
        // YCbCr and grey images are resampled plane by plane, as they are stored.
        PlaneReencodeJob job;
        job.outW = outW;
        job.outH = outH;
        job.factor = factor;
        job.shrink = shrink;
        job.orientation = turn ? orientation : 1;
        job.quality = quality;
        job.resampled = factor != 1.0f;
        job.progressive = !recordFlag(prefs_, key::Baseline);
        job.abandon = abandon_;
        PlaneReencodeFailure failure = PlaneReencodeFailure::None;
        const auto encoded = reencodePlanes(bytesOf(jpeg), *info, job, failure, error,
                                            keeps ? &scaledPlanes_ : nullptr);
        if (encoded) {
            keepInCache();
            return written(*encoded);
        }
        if (failure == PlaneReencodeFailure::Scale)
            return unscalable();
        return failure == PlaneReencodeFailure::Encode ? unencodable() : undecodable();
    }
    // CMYK, YCCK and RGB-coded images go through RGB.
    auto decoded = decodeJpeg(bytesOf(jpeg), shrink, error, scales && factor < 1.0f);
    if (!decoded)
        return undecodable();
    if (scales && factor == 1.0f && !turn) {
        // At its own size, Lanczos is the identity: the decoded pixels are encoded as they are.
        const bool grey = decoded->bitmap.channels == 1;
        const auto encoded = encodeJpegBitmap(decoded->bitmap, quality, grey, error, false,
                                              !recordFlag(prefs_, key::Baseline));
        if (encoded && keeps) {
            scaledBitmap_ = std::make_shared<const Bitmap>(std::move(decoded->bitmap));
            grey_ = grey;
            resampled_ = false;
            keepInCache();
        }
        return encoded ? written(*encoded) : unencodable();
    }
    BRImageScaler scaler;
    const bool grey = decoded->bitmap.channels == 1;
    scaler.setInputBitmapImageRep(std::make_shared<const Bitmap>(std::move(decoded->bitmap)),
                                  info->width, info->height);
    scaler.setScalesImage(scales);
    if (scales) {
        scaler.setScalingTypeAbsolute(false);
        scaler.setScaleFactor(factor);
    }
    auto out = scaler.outputBitmapImageRep();
    if (!out)
        return unscalable();
    // Without its EXIF, a turned photo is shown as stored: the pixels are turned instead.
    if (turn)
        out = turnUpright(*out, orientation);
    const auto encoded = encodeJpegBitmap(*out, quality, grey, error, factor != 1.0f,
                                          !recordFlag(prefs_, key::Baseline));
    if (encoded && keeps) {
        scaledBitmap_ = std::make_shared<const Bitmap>(std::move(*out));
        grey_ = grey;
        resampled_ = factor != 1.0f;
        keepInCache();
    }
    return encoded ? written(*encoded) : unencodable();
}

QString JpegReencoder::cacheKey() const
{
    const QFileInfo file(source_);
    QStringList parts{file.absoluteFilePath(), QString::number(file.size()),
                      QString::number(file.lastModified().toMSecsSinceEpoch())};
    for (const QString& name : {key::ScalingType, key::ScalingFactor, key::ScalingFixedType,
                                key::ScalingFixedValue, key::RemoveEXIF, key::Baseline})
        parts << prefs_.value(name).toString();
    return parts.join(QChar(u'\n'));
}

void JpegReencoder::keepInCache() const
{
    if (cache_)
        cache_->store({cacheKey(), scaledPlanes_, scaledBitmap_, grey_, resampled_});
}

std::optional<std::vector<uint8_t>> JpegReencoder::encodeAgain(float quality, QString* reason,
                                                               size_t largest, size_t* atLeast)
{
    JpegError error;
    std::optional<std::vector<uint8_t>> encoded;
    if (scaledPlanes_)
        encoded = encodeScaledPlanes(*scaledPlanes_, quality, error, largest);
    else if (scaledBitmap_)
        encoded = encodeJpegBitmap(*scaledBitmap_, quality, grey_, error, resampled_,
                                   !recordFlag(prefs_, key::Baseline), largest);
    else
        error.set(JpegProblem::Other, "no scaled image was kept to encode again");
    if (!encoded && error.problem == JpegProblem::OverSize) {
        if (atLeast)
            *atLeast = error.atLeast;
        return std::nullopt;
    }
    if (!encoded) {
        brLog(QStringLiteral("Cannot encode %1: %2")
                  .arg(source_, QString::fromStdString(error.message)));
        fail(QCoreApplication::translate("JpegReencoder", "The image cannot be encoded."), reason);
    }
    return encoded;
}

} // namespace brelin
