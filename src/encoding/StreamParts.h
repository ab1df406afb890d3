// SPDX-License-Identifier: GPL-3.0-or-later
// A JPEG stream cut where its image data may be exchanged for other image data of the same
// picture: the segments that describe the picture (tables, frame, restart interval) and the
// scans belong to the image data; every other segment (APPn, COM) stays the source's, byte
// for byte and in its place.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brelin {

struct Segment
{
    size_t at = 0;   // its 0xFF
    size_t size = 0; // marker and payload
    uint8_t marker = 0;
};

// The segments from SOI to the first SOS (that one included); none when a byte between
// them is not a marker or a length runs past the end.
std::optional<std::vector<Segment>> headerSegments(std::span<const uint8_t> jpeg);

struct StreamParts
{
    // Where the first image ends: just past its EOI marker. Bytes after it (a gain map,
    // a phone's padding) are not part of the stream.
    size_t end = 0;
    // True when an APPn or COM segment lies after the first scan began: such a stream
    // cannot be cut without moving it, so it is left as it is.
    bool markersAmongScans = false;
};

// The first image of `jpeg`, walked segment by segment and through its scans; none when it
// is not a whole stream (no SOI, a bad length, no EOI).
std::optional<StreamParts> streamParts(std::span<const uint8_t> jpeg);

// `source`'s first image with its image data taken from `imageData`, a stream of the same
// picture that holds only its own tables, frame and scans: the source's APPn and COM
// segments keep their order, those before its first table or frame segment first, then
// `imageData`'s segments up to its first scan, then the source's others, then the scans.
// Whatever follows the source's EOI is not copied. None when either is not a whole stream.
std::optional<std::vector<uint8_t>> withImageDataOf(std::span<const uint8_t> source,
                                                    std::span<const uint8_t> imageData);

} // namespace brelin
