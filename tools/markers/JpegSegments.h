// SPDX-License-Identifier: GPL-3.0-or-later
// The marker segments of a JPEG stream up to its first scan, and the copy of
// everything from that scan on.
#pragma once

#include "markers/ByteIO.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace markers {

constexpr uint8_t kSOI = 0xD8;
constexpr uint8_t kEOI = 0xD9;
constexpr uint8_t kSOS = 0xDA;
constexpr uint8_t kCOM = 0xFE;
constexpr uint8_t kAPP0 = 0xE0;

// Largest segment payload: the length field counts itself.
constexpr size_t kMaxSegmentPayload = 65533;

struct Segment
{
    uint8_t marker = 0;
    std::vector<uint8_t> bytes; // the whole segment: 0xFF, marker, length, payload

    std::span<const uint8_t> payload() const
    {
        return bytes.size() >= 4 ? std::span<const uint8_t>(bytes).subspan(4)
                                 : std::span<const uint8_t>();
    }
    bool isApp() const { return marker >= kAPP0 && marker <= kAPP0 + 15; }
    int appIndex() const { return isApp() ? marker - kAPP0 : -1; }
};

// The segments between SOI and the first SOS; `sos` is that SOS segment itself.
struct Header
{
    std::vector<Segment> segments;
    Segment sos;
};

// Upper bound on the bytes before the first scan, so that a hostile stream cannot
// make the tools hold unbounded memory (extended XMP stays far below it).
constexpr size_t kMaxHeaderBytes = size_t(256) << 20;

// Reads SOI and every segment up to and including the first SOS. Stray bytes between
// segments are skipped as libjpeg skips them, and are not part of any segment. On failure
// returns false with a one-line reason: not a JPEG stream, ends early, bad segment length.
bool readHeader(Reader& in, Header& header, std::string& error);

// Copies the entropy-coded data and every marker after the first SOS, through the EOI
// marker and whatever follows it, unchanged. Fails when the stream ends before EOI.
bool copyScans(Reader& in, Writer& out, std::string& error);

// Splits `bytes` into whole segments, each of marker `marker` with a correct length.
// Returns none when the bytes are anything else.
std::optional<std::vector<Segment>> splitSegments(std::span<const uint8_t> bytes, uint8_t marker);

// Makes a segment of `marker` around `payload` (at most kMaxSegmentPayload bytes).
Segment makeSegment(uint8_t marker, std::span<const uint8_t> payload);

// The stream in memory with its header segments changed by `edit`, which returns false
// to give up; the scans and whatever follows the EOI are copied. None when the stream is
// not whole or `edit` gave up.
std::optional<std::vector<uint8_t>>
editHeader(std::span<const uint8_t> jpeg, const std::function<bool(std::vector<Segment>&)>& edit);

} // namespace markers
