// SPDX-License-Identifier: GPL-3.0-or-later
// What becomes of an HDR gain map when its primary image is processed: kept, made anew
// at the primary's new size and orientation, or left out (asked for, gone with the XMP
// that described it, or damaged), the log saying why it went.
#pragma once

#include "markers/GainMap.h"

#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brelin {

enum class GainMapFate { None, Keep, Remove };

// What the settings make of the gain map of `found` (none: the file has no index).
// A map that is left out for a reason of its own is logged for `source`.
GainMapFate gainMapFate(const std::optional<markers::GainMapFile>& found, const QVariantMap& prefs,
                        const QString& source);

// Where a re-encoded primary stands against its source, both as stored.
struct GainMapJob
{
    int sourceWidth = 0;
    int sourceHeight = 0;
    int width = 0; // the new primary, before it is turned
    int height = 0;
    int orientation = 1; // how the primary was turned upright; 1 when it was not
    float quality = 0.8f;
};

// The map resized in proportion to the primary (at least 1 pixel a side), turned as it
// was, and encoded at the run's quality or the lowest above it that keeps its SSIM
// against the resized map at 0.98 or more; its own segments copied. The map itself when
// neither size nor orientation changes. None, with a reason, when it does not decode.
std::optional<std::vector<uint8_t>> remakeGainMap(std::span<const uint8_t> map,
                                                  const GainMapJob& job, std::string& why);

// The source's map made anew for a re-encoded primary, before the primary is there: it
// reads the source only, so it can run while the primary is encoded.
struct PreparedGainMap
{
    std::optional<markers::GainMapFile> found;
    GainMapFate fate = GainMapFate::None;
    std::optional<std::vector<uint8_t>> map; // when kept and made
};
PreparedGainMap prepareGainMap(std::span<const uint8_t> source, const GainMapJob& job,
                               const QVariantMap& prefs, const QString& sourcePath);

// The re-encoded `primary` with the prepared map: the whole new file; when the map is
// left out, `primary` without the XMP's item for it. None when nothing changes.
std::optional<std::vector<uint8_t>> attachGainMap(const PreparedGainMap& prepared,
                                                  std::span<const uint8_t> primary,
                                                  const QString& sourcePath);

// Both in one.
std::optional<std::vector<uint8_t>> carryGainMap(std::span<const uint8_t> source,
                                                 std::span<const uint8_t> primary,
                                                 const GainMapJob& job, const QVariantMap& prefs,
                                                 const QString& sourcePath);

// A file with a gain map turned upright without loss: the primary by `turnPrimary`, the
// map the same way (re-encoded as above when its blocks do not allow it), the index and
// the XMP's length written anew. None when a part cannot be turned.
std::optional<std::vector<uint8_t>> turnWithGainMap(
    const markers::GainMapFile& file, int orientation,
    const std::function<std::optional<std::vector<uint8_t>>(std::span<const uint8_t>)>& turnPrimary,
    std::string& why);

} // namespace brelin
