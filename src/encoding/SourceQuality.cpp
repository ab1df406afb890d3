// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/SourceQuality.h"

#include "encoding/StreamParts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brelin {
namespace {

// The JPEG standard's example luma table (ITU-T T.81, Annex K), in zigzag order.
constexpr uint16_t kStandardLuma[64] = {
    16, 11, 12,  14,  12,  10, 16, 14,  13,  14,  18,  17,  16, 19,  24,  40,
    26, 24, 22,  22,  24,  49, 35, 37,  29,  40,  58,  51,  61, 60,  57,  51,
    56, 55, 64,  72,  92,  78, 64, 68,  87,  69,  55,  56,  80, 109, 81,  87,
    95, 98, 103, 104, 103, 62, 77, 113, 121, 112, 100, 120, 92, 101, 103, 99};

constexpr uint8_t kDQT = 0xDB;

bool isFrame(uint8_t m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

struct Table
{
    bool present = false;
    bool wide = false; // 16-bit entries
    uint16_t values[64] = {};
};

// The tables of one DQT segment's payload; false when it is cut short.
bool readTables(std::span<const uint8_t> payload, Table (&tables)[4])
{
    size_t i = 0;
    while (i < payload.size()) {
        const bool wide = payload[i] >> 4;
        const int slot = payload[i] & 0x0F;
        ++i;
        const size_t bytes = wide ? 128 : 64;
        if (slot > 3 || i + bytes > payload.size())
            return false;
        Table& t = tables[slot];
        t.present = true;
        t.wide = wide;
        for (int k = 0; k < 64; ++k)
            t.values[k] =
                wide ? uint16_t(payload[i + 2 * size_t(k)] << 8 | payload[i + 2 * size_t(k) + 1])
                     : payload[i + size_t(k)];
        i += bytes;
    }
    return true;
}

} // namespace

void scaledLumaTable(int quality, int largest, uint16_t (&table)[64])
{
    quality = std::clamp(quality, 1, 100);
    const long scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    for (int k = 0; k < 64; ++k)
        table[k] = uint16_t(std::clamp((kStandardLuma[k] * scale + 50) / 100, 1L, long(largest)));
}

std::optional<int> sourceQuality(std::span<const uint8_t> jpeg)
{
    const auto segments = headerSegments(jpeg);
    if (!segments)
        return std::nullopt;
    Table tables[4];
    int lumaSlot = -1;
    for (const Segment& s : *segments) {
        const auto payload = jpeg.subspan(s.at + 4, s.size - 4);
        if (s.marker == kDQT && !readTables(payload, tables))
            return std::nullopt;
        // The first component's table slot: byte 8 of the frame's payload.
        if (isFrame(s.marker) && lumaSlot < 0 && payload.size() >= 9)
            lumaSlot = payload[8] & 0x03;
    }
    if (lumaSlot < 0 || !tables[lumaSlot].present)
        return std::nullopt;
    const Table& luma = tables[lumaSlot];
    if (std::any_of(std::begin(luma.values), std::end(luma.values),
                    [](uint16_t v) { return v == 0; }))
        return std::nullopt;
    int best = 0;
    double nearest = std::numeric_limits<double>::infinity();
    // From the top, so that of equally near qualities the highest is taken.
    for (int q = 100; q >= 1; --q) {
        uint16_t ref[64];
        scaledLumaTable(q, luma.wide ? 32767 : 255, ref);
        double distance = 0;
        for (int k = 0; k < 64; ++k)
            distance += std::abs(std::log(double(luma.values[k]) / ref[k]));
        if (distance < nearest) {
            nearest = distance;
            best = q;
        }
    }
    return best;
}

} // namespace brelin
