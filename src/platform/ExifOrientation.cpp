// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ExifOrientation.h"

#include "markers/JpegSegments.h"
#include "markers/MarkerTools.h"

#include <cstring>

namespace brelin {
namespace {

struct Tiff
{
    std::span<const uint8_t> bytes;
    bool bigEndian = false;

    bool has(size_t offset, size_t n) const
    {
        return offset <= bytes.size() && n <= bytes.size() - offset;
    }
    uint16_t u16(size_t o) const
    {
        return bigEndian ? uint16_t(bytes[o] << 8 | bytes[o + 1])
                         : uint16_t(bytes[o + 1] << 8 | bytes[o]);
    }
    uint32_t u32(size_t o) const
    {
        return bigEndian ? uint32_t(bytes[o]) << 24 | uint32_t(bytes[o + 1]) << 16 |
                               uint32_t(bytes[o + 2]) << 8 | bytes[o + 3]
                         : uint32_t(bytes[o + 3]) << 24 | uint32_t(bytes[o + 2]) << 16 |
                               uint32_t(bytes[o + 1]) << 8 | bytes[o];
    }
};

// IFD0 only: the orientation lives there, and nothing is followed, so broken offsets
// cannot lead anywhere.
int orientationIn(std::span<const uint8_t> tiffBytes)
{
    Tiff t{tiffBytes};
    if (!t.has(0, 8))
        return 1;
    if (tiffBytes[0] == 'M' && tiffBytes[1] == 'M')
        t.bigEndian = true;
    else if (!(tiffBytes[0] == 'I' && tiffBytes[1] == 'I'))
        return 1;
    if (t.u16(2) != 42)
        return 1;
    const size_t ifd = t.u32(4);
    if (!t.has(ifd, 2))
        return 1;
    const size_t count = t.u16(ifd);
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = ifd + 2 + 12 * i;
        if (!t.has(entry, 12))
            return 1;
        if (t.u16(entry) != 0x0112)
            continue;
        if (t.u16(entry + 2) != 3 || t.u32(entry + 4) != 1)
            return 1;
        const int value = t.u16(entry + 8);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

} // namespace

int exifOrientation(std::span<const uint8_t> segments)
{
    size_t pos = 0;
    while (segments.size() - pos >= 4) {
        if (segments[pos] != 0xFF)
            return 1;
        const size_t length = size_t(segments[pos + 2]) << 8 | segments[pos + 3];
        if (length < 2 || segments.size() - pos - 2 < length)
            return 1;
        const auto payload = segments.subspan(pos + 4, length - 2);
        if (segments[pos + 1] == 0xE1 && payload.size() >= 6 &&
            std::memcmp(payload.data(), "Exif\0\0", 6) == 0)
            return orientationIn(payload.subspan(6));
        pos += 2 + length;
    }
    return 1;
}

std::vector<uint8_t> orientationOnlyApp1(int orientation)
{
    const auto o = static_cast<uint8_t>(orientation);
    // Length 34, "Exif\0\0", a big-endian TIFF header, IFD0 with one SHORT entry,
    // no next IFD.
    return {0xFF, 0xE1, 0,    34,   'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8,
            0,    1,    0x01, 0x12, 0,   3,   0,   0,   0, 1, 0,   o,   0, 0,  0, 0, 0, 0};
}

int jpegOrientation(std::span<const uint8_t> jpeg)
{
    markers::Reader in = markers::Reader::fromMemory(jpeg);
    std::vector<uint8_t> app1;
    markers::Writer out = markers::Writer::toMemory(app1);
    if (!markers::readAppSegments(in, markers::kAPP0 + 1, out).ok)
        return 1;
    return exifOrientation(app1);
}

} // namespace brelin
