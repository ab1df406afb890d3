// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/JpegSegments.h"

#include <cstring>

namespace markers {
namespace {

bool isStandalone(uint8_t m)
{
    return m == 0x01 || (m >= 0xD0 && m <= 0xD7);
}

// Reads the next marker code as libjpeg's next_marker does: bytes that are not a marker
// are skipped (some writers leave padding or stray bytes between header segments), and so
// are fill bytes and a stuffed FF 00, which is no marker either.
int nextMarker(Reader& in)
{
    for (;;) {
        int c = in.get();
        while (c >= 0 && c != 0xFF)
            c = in.get();
        while (c == 0xFF)
            c = in.get();
        if (c != 0x00)
            return c; // a marker, or the end of the stream
    }
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
        if (marker == kSOI) {
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
    // The bytes are copied a buffer at a time, unchanged; a state machine walks them to
    // find the EOI marker. Inside entropy-coded data a 0xFF is stuffed (0xFF00), a
    // restart marker, fill, or the start of a marker; segments between scans are
    // skipped by their length, so bytes inside a table never pass for a marker.
    enum class State { Data, Marker, Length1, Length2, Payload, Trailer };
    State state = State::Data;
    size_t length = 0;
    size_t left = 0;
    for (;;) {
        const auto chunk = in.available();
        if (chunk.empty()) {
            if (in.failed()) {
                error = "read error";
                return false;
            }
            if (state != State::Trailer) {
                error = "the stream ends early";
                return false;
            }
            if (!out.flush()) {
                error = "write error";
                return false;
            }
            return true;
        }
        const uint8_t* p = chunk.data();
        const uint8_t* const end = p + chunk.size();
        while (p < end && state != State::Trailer) {
            switch (state) {
            case State::Data: {
                const void* ff = std::memchr(p, 0xFF, size_t(end - p));
                if (!ff) {
                    p = end;
                } else {
                    p = static_cast<const uint8_t*>(ff) + 1;
                    state = State::Marker;
                }
                break;
            }
            case State::Marker: {
                const uint8_t m = *p++;
                if (m == 0xFF)
                    break; // fill
                if (m == 0x00 || isStandalone(m))
                    state = State::Data;
                else if (m == kEOI)
                    state = State::Trailer; // what follows EOI belongs to the file too
                else
                    state = State::Length1;
                break;
            }
            case State::Length1:
                length = size_t(*p++) << 8;
                state = State::Length2;
                break;
            case State::Length2:
                length |= *p++;
                if (length < 2) {
                    error = "bad segment length";
                    return false;
                }
                left = length - 2;
                state = left > 0 ? State::Payload : State::Data;
                break;
            case State::Payload: {
                const size_t take = std::min(left, size_t(end - p));
                p += take;
                left -= take;
                if (left == 0)
                    state = State::Data;
                break;
            }
            case State::Trailer:
                break;
            }
        }
        if (!out.write(chunk)) {
            error = "write error";
            return false;
        }
        in.consume(chunk.size());
    }
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

std::optional<std::vector<uint8_t>>
editHeader(std::span<const uint8_t> jpeg, const std::function<bool(std::vector<Segment>&)>& edit)
{
    Reader in = Reader::fromMemory(jpeg);
    Header header;
    std::string error;
    if (!readHeader(in, header, error) || !edit(header.segments))
        return std::nullopt;
    std::vector<uint8_t> out;
    out.reserve(jpeg.size() + 1024);
    Writer writer = Writer::toMemory(out);
    static const uint8_t soi[2] = {0xFF, kSOI};
    bool ok = writer.write(soi, 2);
    for (const Segment& s : header.segments)
        ok = ok && s.bytes.size() >= 4 && s.bytes.size() - 2 <= 0xFFFF && writer.write(s.bytes);
    ok = ok && writer.write(header.sos.bytes) && copyScans(in, writer, error) && writer.flush();
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace markers
