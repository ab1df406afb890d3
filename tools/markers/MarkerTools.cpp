// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/MarkerTools.h"

#include "markers/GainMap.h"
#include "markers/JpegSegments.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace markers {
namespace {

Result failure(std::string message)
{
    return {false, std::move(message)};
}

bool isFrame(uint8_t m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

bool isAdobe(const Segment& seg)
{
    const auto p = seg.payload();
    return seg.marker == kAPP0 + 14 && p.size() >= 12 && std::memcmp(p.data(), "Adobe", 5) == 0;
}

// Whether a segment is of the kind that `marker` names for the tools.
bool ofKind(const Segment& seg, uint8_t marker)
{
    return seg.marker == marker && !isGainMapSegment(seg);
}

// Offset in the segment's bytes of the Adobe transform flag.
constexpr size_t kAdobeTransform = 4 + 11;

// An Adobe APP14 says how a decoder turns the components into colours. Copied from
// another file into a stream encoded differently it would change the colours, so it is
// made to say what the stream itself said before (its own Adobe marker, or the
// YCbCr that a JFIF-style three-component stream implies).
void keepColourTransform(const Header& header, std::vector<Segment>& incoming)
{
    const auto frame = std::find_if(header.segments.begin(), header.segments.end(),
                                    [](const Segment& s) { return isFrame(s.marker); });
    if (frame == header.segments.end() || frame->bytes.size() < 10)
        return;
    const int components = frame->bytes[9];
    std::optional<uint8_t> transform;
    for (const Segment& s : header.segments)
        if (isAdobe(s)) {
            transform = s.bytes[kAdobeTransform];
            break;
        }
    if (!transform && components == 3) {
        // libjpeg's rule without an Adobe marker: component ids R, G, B mean RGB.
        const auto& f = frame->bytes;
        const bool rgb = f.size() >= 10 + 9 && f[10] == 'R' && f[13] == 'G' && f[16] == 'B';
        transform = rgb ? 0 : 1;
    }
    if (!transform)
        return;
    for (Segment& s : incoming)
        if (isAdobe(s))
            s.bytes[kAdobeTransform] = *transform;
}

bool writeHeaderAndScans(const std::vector<Segment>& segments, Header& header, Reader& jpeg,
                         Writer& out, std::string& error)
{
    static const uint8_t soi[2] = {0xFF, kSOI};
    bool ok = out.write(soi, 2);
    for (const Segment& s : segments)
        ok = ok && out.write(s.bytes);
    ok = ok && out.write(header.sos.bytes);
    if (!ok) {
        error = "write error";
        return false;
    }
    return copyScans(jpeg, out, error);
}

} // namespace

std::optional<uint8_t> appMarkerNamed(const std::string& name)
{
    if (name.size() < 4 || name.size() > 5)
        return std::nullopt;
    std::string lower;
    for (char c : name)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.compare(0, 3, "app") != 0)
        return std::nullopt;
    const std::string digits = lower.substr(3);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    if (digits.size() == 2 && digits[0] == '0')
        return std::nullopt;
    const int n = std::stoi(digits);
    if (n > 15)
        return std::nullopt;
    return static_cast<uint8_t>(kAPP0 + n);
}

Result readAppSegments(Reader& jpeg, uint8_t marker, Writer& out)
{
    Header header;
    std::string error;
    if (!readHeader(jpeg, header, error))
        return failure(error);
    for (const Segment& s : header.segments)
        if (ofKind(s, marker) && !out.write(s.bytes))
            return failure("write error");
    return out.flush() ? Result{} : failure("write error");
}

Result readComments(Reader& jpeg, Writer& out)
{
    Header header;
    std::string error;
    if (!readHeader(jpeg, header, error))
        return failure(error);
    for (const Segment& s : header.segments)
        if (s.marker == kCOM && !out.write(s.payload()))
            return failure("write error");
    return out.flush() ? Result{} : failure("write error");
}

Result replaceAppSegments(Reader& jpeg, uint8_t marker, std::span<const uint8_t> payload,
                          Writer& out)
{
    auto incoming = splitSegments(payload, marker);
    if (!incoming)
        return failure("the payload is not a sequence of APP" + std::to_string(marker - kAPP0) +
                       " segments");
    Header header;
    std::string error;
    if (!readHeader(jpeg, header, error))
        return failure(error);
    if (marker == kAPP0 + 14)
        keepColourTransform(header, *incoming);

    const auto first = std::find_if(header.segments.begin(), header.segments.end(),
                                    [&](const Segment& s) { return ofKind(s, marker); });
    size_t at = static_cast<size_t>(first - header.segments.begin());
    if (first == header.segments.end()) {
        at = 0;
        while (at < header.segments.size() && header.segments[at].isApp() &&
               header.segments[at].marker < marker)
            ++at;
    }
    std::vector<Segment> result;
    result.reserve(header.segments.size() + incoming->size());
    for (size_t i = 0; i <= header.segments.size(); ++i) {
        if (i == at)
            for (Segment& s : *incoming)
                result.push_back(std::move(s));
        if (i < header.segments.size() && !ofKind(header.segments[i], marker))
            result.push_back(std::move(header.segments[i]));
    }
    if (!writeHeaderAndScans(result, header, jpeg, out, error))
        return failure(error);
    return {};
}

Result replaceComments(Reader& jpeg, std::span<const uint8_t> payload, Writer& out)
{
    Header header;
    std::string error;
    if (!readHeader(jpeg, header, error))
        return failure(error);
    std::vector<Segment> kept;
    for (Segment& s : header.segments)
        if (s.marker != kCOM)
            kept.push_back(std::move(s));
    const auto firstNonApp =
        std::find_if(kept.begin(), kept.end(), [](const Segment& s) { return !s.isApp(); });
    std::vector<Segment> comments;
    for (size_t pos = 0; pos < payload.size(); pos += kMaxSegmentPayload)
        comments.push_back(makeSegment(
            kCOM, payload.subspan(pos, std::min(kMaxSegmentPayload, payload.size() - pos))));
    kept.insert(firstNonApp, std::make_move_iterator(comments.begin()),
                std::make_move_iterator(comments.end()));
    if (!writeHeaderAndScans(kept, header, jpeg, out, error))
        return failure(error);
    return {};
}

Result checkStream(std::span<const uint8_t> jpeg)
{
    Reader in = Reader::fromMemory(jpeg);
    Writer nowhere = Writer::toNothing();
    Header header;
    std::string error;
    if (!readHeader(in, header, error) || !copyScans(in, nowhere, error))
        return failure(error);
    return {};
}

} // namespace markers
