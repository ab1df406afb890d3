// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/GainMapCarrier.h"

#include "platform/BRLog.h"
#include "platform/JpegCodec.h"
#include "platform/LosslessTransform.h"
#include "scaling/BRLanczosScaleTransform.h"
#include "scaling/Orientation.h"
#include "scaling/Ssim.h"
#include "settings/SettingsRecord.h"

#include <cmath>

namespace brelin {
namespace {

constexpr double kFaithful = 0.98;

void logDropped(const QString& source, const std::string& why)
{
    brLog(QStringLiteral("The gain map of %1 was dropped: %2")
              .arg(source, QString::fromStdString(why)));
}

// The lowest quality from `quality` up whose decoded result keeps the SSIM.
std::optional<std::vector<uint8_t>> encodeFaithfully(const Bitmap& pixels, float quality,
                                                     std::string& why)
{
    std::vector<float> tries{quality};
    for (const float q : {0.85f, 0.92f, 0.97f, 1.0f})
        if (q > quality)
            tries.push_back(q);
    for (size_t i = 0; i < tries.size(); ++i) {
        JpegError error;
        auto encoded = encodeJpeg(pixels, tries[i], pixels.channels == 1, error);
        if (!encoded) {
            why = "it cannot be encoded: " + error.message;
            return std::nullopt;
        }
        const auto back = decodeJpeg(*encoded, 1, error);
        const auto ssim = back ? meanSsim(back->bitmap, pixels) : std::nullopt;
        if (i + 1 == tries.size() || (ssim && *ssim >= kFaithful))
            return encoded;
    }
    return std::nullopt;
}

} // namespace

GainMapFate gainMapFate(const std::optional<markers::GainMapFile>& found, const QVariantMap& prefs,
                        const QString& source)
{
    if (!found || (!found->map && found->damage.empty()))
        return GainMapFate::None;
    if (recordFlag(prefs, key::RemoveGainMap))
        return GainMapFate::Remove;
    if (!found->damage.empty()) {
        logDropped(source, found->damage);
        return GainMapFate::Remove;
    }
    // Without an ISO 21496-1 segment, the map's numbers are in the primary's XMP, which
    // the EXIF kind takes along: a map nothing describes would brighten wrongly.
    if (recordFlag(prefs, key::RemoveEXIF) && !found->iso) {
        brLog(QStringLiteral("The gain map of %1 went with the XMP that described it").arg(source));
        return GainMapFate::Remove;
    }
    return GainMapFate::Keep;
}

std::optional<std::vector<uint8_t>> remakeGainMap(std::span<const uint8_t> map,
                                                  const GainMapJob& job, std::string& why)
{
    JpegError error;
    auto decoded = decodeJpeg(map, 1, error);
    if (!decoded || job.sourceWidth <= 0 || job.sourceHeight <= 0) {
        why = "it cannot be decoded: " + error.message;
        return std::nullopt;
    }
    const Bitmap& original = decoded->bitmap;
    const auto side = [](int mapSide, int now, int was) {
        return std::max(1, int(std::lround(double(mapSide) * now / was)));
    };
    const int w = side(original.width, job.width, job.sourceWidth);
    const int h = side(original.height, job.height, job.sourceHeight);
    const bool resized = w != original.width || h != original.height;
    if (!resized && job.orientation == 1)
        return std::vector<uint8_t>(map.begin(), map.end());
    std::optional<Bitmap> pixels;
    if (resized)
        pixels = BRLanczosScaleTransform::resize(original, w, h, double(w) / original.width,
                                                 double(h) / original.height);
    else
        pixels = std::move(decoded->bitmap);
    if (!pixels) {
        why = "it cannot be scaled";
        return std::nullopt;
    }
    if (job.orientation != 1)
        pixels = turnUpright(*pixels, job.orientation);
    const auto encoded = encodeFaithfully(*pixels, job.quality, why);
    if (!encoded)
        return std::nullopt;
    auto described = markers::withSegmentsOf(*encoded, map);
    if (!described)
        why = "its segments cannot be copied";
    return described;
}

PreparedGainMap prepareGainMap(std::span<const uint8_t> source, const GainMapJob& job,
                               const QVariantMap& prefs, const QString& sourcePath)
{
    PreparedGainMap prepared;
    prepared.found = markers::findGainMap(source);
    prepared.fate = gainMapFate(prepared.found, prefs, sourcePath);
    if (prepared.fate == GainMapFate::Keep) {
        std::string why;
        prepared.map =
            remakeGainMap(prepared.found->file.parts[*prepared.found->map].bytes, job, why);
        if (!prepared.map)
            logDropped(sourcePath, why);
    }
    return prepared;
}

std::optional<std::vector<uint8_t>> attachGainMap(const PreparedGainMap& prepared,
                                                  std::span<const uint8_t> primary,
                                                  const QString& sourcePath)
{
    if (prepared.fate == GainMapFate::None)
        return std::nullopt;
    if (prepared.map) {
        if (auto whole = markers::withGainMap(primary, *prepared.found, *prepared.map))
            return whole;
        logDropped(sourcePath, "its index cannot be written");
    }
    // The kept XMP must not announce a map that is not there.
    return markers::editHeader(primary, [](std::vector<markers::Segment>& header) {
        return markers::removeGainMapItem(header);
    });
}

std::optional<std::vector<uint8_t>> carryGainMap(std::span<const uint8_t> source,
                                                 std::span<const uint8_t> primary,
                                                 const GainMapJob& job, const QVariantMap& prefs,
                                                 const QString& sourcePath)
{
    return attachGainMap(prepareGainMap(source, job, prefs, sourcePath), primary, sourcePath);
}

std::optional<std::vector<uint8_t>> turnWithGainMap(
    const markers::GainMapFile& file, int orientation,
    const std::function<std::optional<std::vector<uint8_t>>(std::span<const uint8_t>)>& turnPrimary,
    std::string& why)
{
    markers::MultiPictureFile out = file.file;
    auto first = turnPrimary(out.first);
    if (!first) {
        why = "the primary image cannot be turned";
        return std::nullopt;
    }
    out.first = std::move(*first);
    if (file.map) {
        std::vector<uint8_t>& map = out.parts[*file.map].bytes;
        std::optional<std::vector<uint8_t>> turned;
        if (canTurnUprightLosslessly(map, orientation))
            if (const auto bare = turnUprightLosslessly(map, orientation, why))
                turned = markers::withSegmentsOf(*bare, map);
        if (!turned) {
            // Its blocks do not allow a lossless turn: the map alone is made anew, turned.
            const GainMapJob job{1, 1, 1, 1, orientation, 0.9f};
            turned = remakeGainMap(map, job, why);
        }
        if (!turned)
            return std::nullopt;
        map = std::move(*turned);
        auto described = markers::editHeader(out.first, [&](std::vector<markers::Segment>& h) {
            markers::setGainMapLength(h, map.size());
            return true;
        });
        if (!described)
            return std::nullopt;
        out.first = std::move(*described);
    }
    auto whole = markers::joinStoredImages(out);
    if (!whole)
        why = "its index cannot be written";
    return whole;
}

} // namespace brelin
