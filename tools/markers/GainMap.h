// SPDX-License-Identifier: GPL-3.0-or-later
// An HDR gain map (Ultra HDR, ISO 21496-1): a second JPEG stored after the primary image,
// listed by the primary's Multi-Picture index and described by XMP ("hdrgm") in the
// primary and the map, or by ISO 21496-1 segments.
#pragma once

#include "markers/JpegSegments.h"
#include "markers/MultiPicture.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace markers {

bool isIso21496Payload(std::span<const uint8_t> payload);
bool isXmpPayload(std::span<const uint8_t> payload);

// The primary's segments that belong to its gain map: the index and ISO 21496-1's.
bool isGainMapSegment(const Segment& seg);

// Whether a primary's header announces a gain map: an index, and hdrgm XMP or an
// ISO 21496-1 segment. The header alone: cheap enough for a file list.
bool announcesGainMap(const std::vector<Segment>& header);

struct GainMapFile
{
    MultiPictureFile file;
    std::optional<size_t> map; // the part that is the map
    bool iso = false;          // the map has an ISO 21496-1 segment of its own
    std::string damage;        // why a map the index lists is not in the file; "" otherwise
};

// None when the file has no readable index.
std::optional<GainMapFile> findGainMap(std::span<const uint8_t> file);

// The primary XMP's container item for the gain map, its length set or the item
// removed; false when the header has no such item.
bool setGainMapLength(std::vector<Segment>& header, size_t length);
bool removeGainMapItem(std::vector<Segment>& header);

// The file without its gain map: the map's bytes, its entry in the index (the index
// itself when nothing else is listed), the primary's ISO 21496-1 segments and its XMP's
// item for the map. Other listed images stay.
std::optional<std::vector<uint8_t>> withoutGainMap(const GainMapFile& source);

// `primary` (a new stream, without an index) followed by `map`: the source primary's
// gain map segments are copied in after its APP0 to APP2 segments, the index written for
// the two, and the XMP's length for the map set. Other images of the source are left out.
std::optional<std::vector<uint8_t>> withGainMap(std::span<const uint8_t> primary,
                                                const GainMapFile& source,
                                                std::span<const uint8_t> map);

// `encoded` with the APP and comment segments of `original` instead of its own, in their
// order: a map made anew keeps its description byte for byte.
std::optional<std::vector<uint8_t>> withSegmentsOf(std::span<const uint8_t> encoded,
                                                   std::span<const uint8_t> original);

} // namespace markers
