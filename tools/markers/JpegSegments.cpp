#include "markers/JpegSegments.h"

#include <cstring>

namespace markers {
namespace {

bool isStandalone(uint8_t m)
{
    return m == 0x01 || (m >= 0xD0 && m <= 0xD7);
}

// Reads the next marker code, skipping 0xFF fill bytes. Bytes that are not a marker
// are skipped too, as libjpeg does, since some writers leave padding between segments.
int nextMarker(Reader& in)
{
    int c = in.get();
    while (c >= 0 && c != 0xFF)
        c = in.get();
    while (c == 0xFF)
        c = in.get();
    return c;
}

bool readSegment(Reader& in, uint8_t marker, Segment& seg, std::string& error)
{
    uint8_t len[2];
    if (!in.read(len, 2)) {
        error = "the stream ends early";
        return false;
    }
    const size_t length = (size_t(len[0]) << 8) | len[1];
    if (length < 2) {
        error = "bad segment length";
        return false;
    }
    seg.marker = marker;
    seg.bytes.resize(2 + length);
    seg.bytes[0] = 0xFF;
    seg.bytes[1] = marker;
    seg.bytes[2] = len[0];
    seg.bytes[3] = len[1];
    if (!in.read(seg.bytes.data() + 4, length - 2)) {
        error = "the stream ends early";
        return false;
    }
    return true;
}

} // namespace

bool readHeader(Reader& in, Header& header, std::string& error)
{
    header = Header{};
    if (in.get() != 0xFF || in.get() != kSOI) {
        error = "not a JPEG stream";
        return false;
    }
    size_t total = 2;
    for (;;) {
        const int m = nextMarker(in);
        if (m < 0) {
            error = "the stream ends early";
            return false;
        }
        const uint8_t marker = static_cast<uint8_t>(m);
        if (marker == 0x00 || marker == kSOI) {
            error = "not a JPEG stream";
            return false;
        }
        if (marker == kEOI) {
            error = "the stream has no image data";
            return false;
        }
        Segment seg;
        if (isStandalone(marker)) {
            seg.marker = marker;
            seg.bytes = {0xFF, marker};
        } else if (!readSegment(in, marker, seg, error)) {
            return false;
        }
        total += seg.bytes.size();
        if (total > kMaxHeaderBytes) {
            error = "the segments before the image data are too large";
            return false;
        }
        if (marker == kSOS) {
            header.sos = std::move(seg);
            return true;
        }
        header.segments.push_back(std::move(seg));
    }
}

bool copyScans(Reader& in, Writer& out, std::string& error)
{
    // State: inside entropy-coded data, a 0xFF is either stuffed (0xFF00), a restart
    // marker, fill, or the start of a real marker. Marker segments between scans are
    // copied by their length, so bytes inside a table never pass for a marker.
    bool sawFF = false;
    for (;;) {
        auto chunk = in.available();
        if (chunk.empty()) {
            error = in.failed() ? "read error" : "the stream ends early";
            return false;
        }
        size_t i = 0;
        if (!sawFF) {
            const void* ff = std::memchr(chunk.data(), 0xFF, chunk.size());
            if (!ff) {
                if (!out.write(chunk))
                    break;
                in.consume(chunk.size());
                continue;
            }
            i = static_cast<size_t>(static_cast<const uint8_t*>(ff) - chunk.data()) + 1;
            sawFF = true;
        }
        // Skip fill bytes.
        while (i < chunk.size() && chunk[i] == 0xFF)
            ++i;
        if (i == chunk.size()) {
            if (!out.write(chunk))
                break;
            in.consume(chunk.size());
            continue;
        }
        const uint8_t m = chunk[i++];
        if (!out.write(chunk.data(), i))
            break;
        in.consume(i);
        sawFF = false;
        if (m == 0x00 || isStandalone(m))
            continue;
        if (m == kEOI) {
            // Trailing data after EOI belongs to the file too; keep it.
            for (auto rest = in.available(); !rest.empty(); rest = in.available()) {
                if (!out.write(rest))
                    break;
                in.consume(rest.size());
            }
            if (in.failed()) {
                error = "read error";
                return false;
            }
            if (!out.flush())
                break;
            return true;
        }
        Segment seg;
        uint8_t len[2];
        if (!in.read(len, 2)) {
            error = "the stream ends early";
            return false;
        }
        const size_t length = (size_t(len[0]) << 8) | len[1];
        if (length < 2) {
            error = "bad segment length";
            return false;
        }
        if (!out.write(len, 2))
            break;
        size_t left = length - 2;
        while (left > 0) {
            auto part = in.available();
            if (part.empty()) {
                error = "the stream ends early";
                return false;
            }
            const size_t take = std::min(left, part.size());
            if (!out.write(part.data(), take))
                break;
            in.consume(take);
            left -= take;
        }
        if (out.failed())
            break;
    }
    error = "write error";
    return false;
}

std::optional<std::vector<Segment>> splitSegments(std::span<const uint8_t> bytes, uint8_t marker)
{
    std::vector<Segment> result;
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 4 || bytes[pos] != 0xFF || bytes[pos + 1] != marker)
            return std::nullopt;
        const size_t length = (size_t(bytes[pos + 2]) << 8) | bytes[pos + 3];
        if (length < 2 || bytes.size() - pos - 2 < length)
            return std::nullopt;
        Segment seg;
        seg.marker = marker;
        seg.bytes.assign(bytes.begin() + pos, bytes.begin() + pos + 2 + length);
        result.push_back(std::move(seg));
        pos += 2 + length;
    }
    return result;
}

Segment makeSegment(uint8_t marker, std::span<const uint8_t> payload)
{
    Segment seg;
    seg.marker = marker;
    const size_t length = payload.size() + 2;
    seg.bytes.reserve(2 + length);
    seg.bytes = {0xFF, marker, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    seg.bytes.insert(seg.bytes.end(), payload.begin(), payload.end());
    return seg;
}

} // namespace markers
