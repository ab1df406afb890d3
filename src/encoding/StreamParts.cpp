// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/StreamParts.h"

namespace brelin {
namespace {

constexpr uint8_t kSOI = 0xD8, kEOI = 0xD9, kSOS = 0xDA;

bool isApp(uint8_t m)
{
    return (m >= 0xE0 && m <= 0xEF) || m == 0xFE;
}

// Tables, frames, restart intervals: what libjpeg writes for image data of its own.
bool describesPicture(uint8_t m)
{
    return m == 0xDB || m == 0xC4 || m == 0xDD || m == 0xCC || (m >= 0xC0 && m <= 0xCF);
}

} // namespace

std::optional<std::vector<Segment>> headerSegments(std::span<const uint8_t> jpeg)
{
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != kSOI)
        return std::nullopt;
    std::vector<Segment> out;
    size_t i = 2;
    while (i + 4 <= jpeg.size()) {
        if (jpeg[i] != 0xFF)
            return std::nullopt;
        const uint8_t m = jpeg[i + 1];
        if (m == 0xFF) { // fill byte before a marker
            ++i;
            continue;
        }
        const size_t length = size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
        if (m == kSOI || m == kEOI || (m >= 0xD0 && m <= 0xD7) || length < 2 ||
            i + 2 + length > jpeg.size())
            return std::nullopt;
        out.push_back({i, 2 + length, m});
        i += 2 + length;
        if (m == kSOS)
            return out;
    }
    return std::nullopt;
}

std::optional<StreamParts> streamParts(std::span<const uint8_t> jpeg)
{
    const auto header = headerSegments(jpeg);
    if (!header)
        return std::nullopt;
    StreamParts parts;
    size_t i = header->back().at + header->back().size;
    while (i + 1 < jpeg.size()) {
        if (jpeg[i] != 0xFF) {
            ++i;
            continue;
        }
        const uint8_t m = jpeg[i + 1];
        if (m == 0x00 || (m >= 0xD0 && m <= 0xD7)) { // a stuffed byte, a restart marker
            i += 2;
            continue;
        }
        if (m == 0xFF) {
            ++i;
            continue;
        }
        if (m == kEOI) {
            parts.end = i + 2;
            return parts;
        }
        if (i + 4 > jpeg.size())
            return std::nullopt;
        const size_t length = size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
        if (length < 2 || i + 2 + length > jpeg.size())
            return std::nullopt;
        parts.markersAmongScans = parts.markersAmongScans || isApp(m);
        i += 2 + length;
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> withImageDataOf(std::span<const uint8_t> source,
                                                    std::span<const uint8_t> imageData)
{
    const auto from = headerSegments(source);
    const auto ours = headerSegments(imageData);
    const auto sourceParts = streamParts(source);
    const auto ourParts = streamParts(imageData);
    if (!from || !ours || !sourceParts || !ourParts)
        return std::nullopt;
    std::vector<uint8_t> out{0xFF, kSOI};
    out.reserve(source.size());
    const auto append = [&](std::span<const uint8_t> bytes, const Segment& s) {
        out.insert(out.end(), bytes.begin() + ptrdiff_t(s.at),
                   bytes.begin() + ptrdiff_t(s.at + s.size));
    };
    bool placed = false;
    const auto placeOurs = [&] {
        for (size_t k = 0; k + 1 < ours->size(); ++k) // its SOS comes with the scans
            append(imageData, (*ours)[k]);
        placed = true;
    };
    for (size_t k = 0; k + 1 < from->size(); ++k) {
        const Segment& s = (*from)[k];
        if (describesPicture(s.marker)) {
            if (!placed)
                placeOurs();
            continue;
        }
        append(source, s);
    }
    if (!placed)
        placeOurs();
    const size_t scans = ours->back().at;
    out.insert(out.end(), imageData.begin() + ptrdiff_t(scans),
               imageData.begin() + ptrdiff_t(ourParts->end));
    return out;
}

} // namespace brelin
