// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/GainMap.h"

#include "markers/MarkerTools.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace markers {
namespace {

constexpr char kIso21496[] = "urn:iso:std:iso:ts:21496:-1";
constexpr char kXmp[] = "http://ns.adobe.com/xap/1.0/";
constexpr std::string_view kHdrgm = "http://ns.adobe.com/hdr-gain-map/1.0/";
constexpr std::string_view kGainMapItem = "Item:Semantic=\"GainMap\"";

bool startsWith(std::span<const uint8_t> payload, const char* id, size_t n)
{
    return payload.size() >= n && std::memcmp(payload.data(), id, n) == 0;
}

std::string_view textOf(const Segment& s)
{
    const auto p = s.payload();
    return {reinterpret_cast<const char*>(p.data()), p.size()};
}

bool isXmp(const Segment& s)
{
    return s.marker == kAPP0 + 1 && isXmpPayload(s.payload());
}

bool isIso(const Segment& s)
{
    return s.marker == kAPP2 && isIso21496Payload(s.payload());
}

// Whether a header describes a gain map: hdrgm XMP or an ISO 21496-1 segment.
bool describesGainMap(const std::vector<Segment>& header)
{
    return std::any_of(header.begin(), header.end(), [](const Segment& s) {
        return isIso(s) || (isXmp(s) && textOf(s).find(kHdrgm) != std::string_view::npos);
    });
}

std::optional<std::vector<Segment>> headerOf(std::span<const uint8_t> jpeg)
{
    Reader in = Reader::fromMemory(jpeg);
    Header header;
    std::string error;
    if (!readHeader(in, header, error))
        return std::nullopt;
    return std::move(header.segments);
}

// Changes the XMP text of the gain map's item; `edit` gets the text and where the item's
// semantic attribute stands, and returns false when it cannot make the change.
bool editGainMapItem(std::vector<Segment>& header,
                     const std::function<bool(std::string&, size_t)>& edit)
{
    for (Segment& s : header) {
        if (!isXmp(s))
            continue;
        std::string text(textOf(s));
        const size_t at = text.find(kGainMapItem);
        if (at == std::string::npos)
            continue;
        if (!edit(text, at) || text.size() > kMaxSegmentPayload)
            return false;
        s = makeSegment(s.marker, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
        return true;
    }
    return false;
}

} // namespace

bool isIso21496Payload(std::span<const uint8_t> payload)
{
    return startsWith(payload, kIso21496, sizeof kIso21496);
}

bool isXmpPayload(std::span<const uint8_t> payload)
{
    return startsWith(payload, kXmp, sizeof kXmp);
}

bool isGainMapSegment(const Segment& seg)
{
    return seg.marker == kAPP2 && (isMpfPayload(seg.payload()) || isIso21496Payload(seg.payload()));
}

bool announcesGainMap(const std::vector<Segment>& header)
{
    return describesGainMap(header) &&
           std::any_of(header.begin(), header.end(), [](const Segment& s) {
               return s.marker == kAPP2 && isMpfPayload(s.payload());
           });
}

std::optional<GainMapFile> findGainMap(std::span<const uint8_t> file)
{
    auto split = splitStoredImages(file);
    if (!split)
        return std::nullopt;
    GainMapFile found;
    found.file = std::move(*split);
    for (size_t i = 0; i < found.file.parts.size() && !found.map; ++i) {
        if (!found.file.parts[i].entry)
            continue;
        const auto header = headerOf(found.file.parts[i].bytes);
        if (header && describesGainMap(*header)) {
            found.map = i;
            found.iso = std::any_of(header->begin(), header->end(), isIso);
        }
    }
    const auto primary = headerOf(found.file.first);
    if (!found.map && !found.file.damaged.empty() && primary && describesGainMap(*primary))
        found.damage = "its Multi-Picture index points past the end of the file";
    return found;
}

bool setGainMapLength(std::vector<Segment>& header, size_t length)
{
    return editGainMapItem(header, [&](std::string& text, size_t at) {
        static constexpr std::string_view name = "Item:Length=\"";
        const size_t open = text.rfind('<', at);
        const size_t close = text.find('>', at);
        const size_t attr = text.find(name, open == std::string::npos ? 0 : open);
        if (open == std::string::npos || attr == std::string::npos || attr > close)
            return false;
        const size_t digits = attr + name.size();
        const size_t end = text.find('"', digits);
        if (end == std::string::npos || end > close)
            return false;
        text.replace(digits, end - digits, std::to_string(length));
        return true;
    });
}

bool removeGainMapItem(std::vector<Segment>& header)
{
    return editGainMapItem(header, [](std::string& text, size_t at) {
        static constexpr std::string_view endTag = "</rdf:li>";
        size_t start = text.rfind("<rdf:li", at);
        const size_t end = text.find(endTag, at);
        const size_t closedBefore = text.rfind(endTag, at);
        if (start == std::string::npos || end == std::string::npos ||
            (closedBefore != std::string::npos && closedBefore > start))
            return false;
        // The item's own line goes, its indentation with it.
        while (start > 0 && (text[start - 1] == ' ' || text[start - 1] == '\t'))
            --start;
        if (start > 0 && text[start - 1] == '\n')
            --start;
        text.erase(start, end + endTag.size() - start);
        return true;
    });
}

std::optional<std::vector<uint8_t>> withoutGainMap(const GainMapFile& source)
{
    MultiPictureFile out;
    const auto first = editHeader(source.file.first, [](std::vector<Segment>& segments) {
        std::erase_if(segments, isIso);
        removeGainMapItem(segments);
        return true;
    });
    if (!first)
        return std::nullopt;
    out.first = std::move(*first);
    for (size_t i = 0; i < source.file.parts.size(); ++i)
        if (i != source.map)
            out.parts.push_back(source.file.parts[i]);
    return joinStoredImages(out);
}

std::optional<std::vector<uint8_t>> withGainMap(std::span<const uint8_t> primary,
                                                const GainMapFile& source,
                                                std::span<const uint8_t> map)
{
    const auto sourceHeader = headerOf(source.file.first);
    if (!source.map || !sourceHeader)
        return std::nullopt;
    auto first = editHeader(primary, [&](std::vector<Segment>& segments) {
        std::erase_if(segments, isGainMapSegment);
        auto at = segments.begin();
        while (at != segments.end() && at->isApp() && at->marker <= kAPP2)
            ++at;
        for (const Segment& s : *sourceHeader)
            if (isGainMapSegment(s))
                at = segments.insert(at, s) + 1;
        setGainMapLength(segments, map.size());
        return true;
    });
    if (!first)
        return std::nullopt;
    MultiPictureFile out;
    out.first = std::move(*first);
    out.parts.push_back({source.file.parts[*source.map].entry, {map.begin(), map.end()}});
    return joinStoredImages(out);
}

std::optional<std::vector<uint8_t>> withSegmentsOf(std::span<const uint8_t> encoded,
                                                   std::span<const uint8_t> original)
{
    const auto own = headerOf(original);
    if (!own)
        return std::nullopt;
    return editHeader(encoded, [&](std::vector<Segment>& segments) {
        const auto metadata = [](const Segment& s) { return s.isApp() || s.marker == kCOM; };
        std::erase_if(segments, metadata);
        std::vector<Segment> kept;
        std::copy_if(own->begin(), own->end(), std::back_inserter(kept), metadata);
        segments.insert(segments.begin(), kept.begin(), kept.end());
        return true;
    });
}

} // namespace markers
