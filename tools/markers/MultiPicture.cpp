// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/MultiPicture.h"

#include "markers/JpegSegments.h"
#include "markers/MarkerTools.h"

#include <algorithm>
#include <cstring>

namespace markers {
namespace {

constexpr uint16_t kTypeLong = 4;
constexpr uint16_t kTypeUndefined = 7;
constexpr uint16_t kTagVersion = 0xB000;
constexpr uint16_t kTagNumberOfImages = 0xB001;
constexpr uint16_t kTagEntries = 0xB002;
constexpr size_t kEntryBytes = 16;

// Reads and writes the numbers of the TIFF data that follows the identifier.
struct Tiff
{
    std::span<const uint8_t> data; // from the TIFF header on
    bool big = false;

    bool has(size_t at, size_t n) const { return at <= data.size() && n <= data.size() - at; }
    uint16_t u16(size_t at) const
    {
        return big ? uint16_t(data[at] << 8 | data[at + 1])
                   : uint16_t(data[at + 1] << 8 | data[at]);
    }
    uint32_t u32(size_t at) const
    {
        return big ? uint32_t(u16(at)) << 16 | u16(at + 2) : uint32_t(u16(at + 2)) << 16 | u16(at);
    }
};

void put16(uint8_t* p, uint16_t v, bool big)
{
    p[big ? 0 : 1] = uint8_t(v >> 8);
    p[big ? 1 : 0] = uint8_t(v);
}

void put32(uint8_t* p, uint32_t v, bool big)
{
    put16(p + (big ? 0 : 2), uint16_t(v >> 16), big);
    put16(p + (big ? 2 : 0), uint16_t(v), big);
}

void putEntry(uint8_t* p, const MpEntry& e, bool big)
{
    put32(p, e.attributes, big);
    put32(p + 4, e.size, big);
    put32(p + 8, e.offset, big);
    put16(p + 12, e.dependent1, big);
    put16(p + 14, e.dependent2, big);
}

// The index and where its entries lie in the TIFF data.
std::optional<std::pair<MpIndex, size_t>> parse(std::span<const uint8_t> payload)
{
    if (!isMpfPayload(payload) || payload.size() < kMpfTiffStart + 8)
        return std::nullopt;
    Tiff t{payload.subspan(kMpfTiffStart)};
    if (std::memcmp(t.data.data(), "II*\0", 4) == 0)
        t.big = false;
    else if (std::memcmp(t.data.data(), "MM\0*", 4) == 0)
        t.big = true;
    else
        return std::nullopt;
    const uint32_t ifd = t.u32(4);
    if (ifd < 8 || !t.has(ifd, 2))
        return std::nullopt;
    const uint16_t count = t.u16(ifd);
    if (!t.has(ifd + 2, size_t(count) * 12))
        return std::nullopt;
    for (uint16_t i = 0; i < count; ++i) {
        const size_t at = ifd + 2 + size_t(i) * 12;
        if (t.u16(at) != kTagEntries)
            continue;
        const uint32_t bytes = t.u32(at + 4);
        const uint32_t where = t.u32(at + 8);
        if (t.u16(at + 2) != kTypeUndefined || bytes == 0 || bytes % kEntryBytes != 0 ||
            !t.has(where, bytes))
            return std::nullopt;
        MpIndex index;
        index.bigEndian = t.big;
        for (size_t e = 0; e < bytes / kEntryBytes; ++e) {
            const size_t p = where + e * kEntryBytes;
            index.entries.push_back(
                {t.u32(p), t.u32(p + 4), t.u32(p + 8), t.u16(p + 12), t.u16(p + 14)});
        }
        return std::pair(std::move(index), size_t(where));
    }
    return std::nullopt;
}

} // namespace

bool isMpfPayload(std::span<const uint8_t> payload)
{
    return payload.size() >= 4 && std::memcmp(payload.data(), "MPF\0", 4) == 0;
}

std::optional<MpIndex> readMpIndex(std::span<const uint8_t> payload)
{
    auto parsed = parse(payload);
    if (!parsed)
        return std::nullopt;
    return std::move(parsed->first);
}

std::optional<std::vector<uint8_t>> rewriteMpIndex(std::span<const uint8_t> payload,
                                                   const std::vector<MpEntry>& entries)
{
    const auto parsed = parse(payload);
    if (!parsed || parsed->first.entries.size() != entries.size())
        return std::nullopt;
    std::vector<uint8_t> out(payload.begin(), payload.end());
    uint8_t* first = out.data() + kMpfTiffStart + parsed->second;
    for (size_t e = 0; e < entries.size(); ++e)
        putEntry(first + e * kEntryBytes, entries[e], parsed->first.bigEndian);
    return out;
}

std::vector<uint8_t> makeMpIndex(const std::vector<MpEntry>& entries, bool big)
{
    // Identifier, TIFF header, an IFD of three tags and no next IFD, then the entries.
    constexpr size_t ifd = 8;
    constexpr size_t tags = 3;
    const size_t entriesAt = ifd + 2 + tags * 12 + 4;
    std::vector<uint8_t> out(kMpfTiffStart + entriesAt + entries.size() * kEntryBytes, 0);
    std::memcpy(out.data(), "MPF\0", 4);
    uint8_t* t = out.data() + kMpfTiffStart;
    std::memcpy(t, big ? "MM\0*" : "II*\0", 4);
    put32(t + 4, ifd, big);
    put16(t + ifd, tags, big);
    uint8_t* tag = t + ifd + 2;
    put16(tag, kTagVersion, big);
    put16(tag + 2, kTypeUndefined, big);
    put32(tag + 4, 4, big);
    std::memcpy(tag + 8, "0100", 4);
    tag += 12;
    put16(tag, kTagNumberOfImages, big);
    put16(tag + 2, kTypeLong, big);
    put32(tag + 4, 1, big);
    put32(tag + 8, uint32_t(entries.size()), big);
    tag += 12;
    put16(tag, kTagEntries, big);
    put16(tag + 2, kTypeUndefined, big);
    put32(tag + 4, uint32_t(entries.size() * kEntryBytes), big);
    put32(tag + 8, uint32_t(entriesAt), big);
    for (size_t e = 0; e < entries.size(); ++e)
        putEntry(t + entriesAt + e * kEntryBytes, entries[e], big);
    return out;
}

std::optional<StoredImages> findStoredImages(std::span<const uint8_t> file)
{
    Reader in = Reader::fromMemory(file);
    Header header;
    std::string error;
    if (!readHeader(in, header, error))
        return std::nullopt;
    for (const Segment& segment : header.segments) {
        if (segment.marker != kAPP2 || !isMpfPayload(segment.payload()))
            continue;
        auto index = readMpIndex(segment.payload());
        // Stray bytes may stand between segments: the segment is found by its bytes.
        const auto at =
            std::search(file.begin(), file.end(), segment.bytes.begin(), segment.bytes.end());
        if (!index || at == file.end())
            return std::nullopt;
        StoredImages found;
        found.segmentStart = size_t(at - file.begin());
        found.tiffStart = found.segmentStart + 4 + kMpfTiffStart;
        for (size_t e = 1; e < index->entries.size(); ++e) {
            const MpEntry& entry = index->entries[e];
            const size_t start = found.tiffStart + entry.offset;
            const bool inFile = entry.offset > 0 && entry.size >= 4 && start < file.size() &&
                                entry.size <= file.size() - start && file[start] == 0xFF &&
                                file[start + 1] == kSOI;
            if (inFile)
                found.images.push_back({e, start, entry.size});
            else
                found.damaged.push_back(e);
        }
        found.index = std::move(*index);
        return found;
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> reindexStoredImages(std::span<const uint8_t> original,
                                                        std::span<const uint8_t> changed)
{
    const auto before = findStoredImages(original);
    const auto after = findStoredImages(changed);
    if (!before || !after || before->index.entries.size() != after->index.entries.size())
        return std::nullopt;
    // Positive when the header shrank.
    const int64_t moved = int64_t(original.size()) - int64_t(changed.size());
    std::vector<MpEntry> entries = after->index.entries;
    if (!entries.empty() && int64_t(entries[0].size) - moved > 0)
        entries[0].size = uint32_t(int64_t(entries[0].size) - moved);
    for (const StoredImage& image : before->images) {
        const int64_t start = int64_t(image.start) - moved;
        if (start < int64_t(after->tiffStart) || size_t(start) + image.size > changed.size() ||
            !std::equal(original.begin() + image.start, original.begin() + image.start + image.size,
                        changed.begin() + start))
            return std::nullopt;
        entries[image.entry].offset = uint32_t(start - int64_t(after->tiffStart));
    }
    const size_t payloadAt = after->segmentStart + 4;
    const size_t payloadSize =
        size_t(changed[after->segmentStart + 2] << 8 | changed[after->segmentStart + 3]) - 2;
    const auto payload = rewriteMpIndex(changed.subspan(payloadAt, payloadSize), entries);
    if (!payload)
        return std::nullopt;
    std::vector<uint8_t> out(changed.begin(), changed.end());
    std::copy(payload->begin(), payload->end(), out.begin() + long(payloadAt));
    return out;
}

std::optional<MultiPictureFile> splitStoredImages(std::span<const uint8_t> file)
{
    auto found = findStoredImages(file);
    if (!found)
        return std::nullopt;
    MultiPictureFile split;
    split.damaged = found->damaged;
    std::sort(found->images.begin(), found->images.end(),
              [](const StoredImage& a, const StoredImage& b) { return a.start < b.start; });
    // An image must follow the index and the one before it; one that overlaps is damage.
    size_t at = found->tiffStart + 8;
    std::vector<StoredImage> images;
    for (const StoredImage& image : found->images) {
        if (image.start < at) {
            split.damaged.push_back(image.entry);
            continue;
        }
        images.push_back(image);
        at = image.start + image.size;
    }
    const size_t firstEnd = images.empty() ? file.size() : images.front().start;
    split.first.assign(file.begin(), file.begin() + long(firstEnd));
    if (!checkStream(split.first).ok)
        return std::nullopt;
    size_t pos = firstEnd;
    for (const StoredImage& image : images) {
        if (image.start > pos)
            split.parts.push_back(
                {std::nullopt, {file.begin() + long(pos), file.begin() + long(image.start)}});
        split.parts.push_back(
            {found->index.entries[image.entry],
             {file.begin() + long(image.start), file.begin() + long(image.start + image.size)}});
        pos = image.start + image.size;
    }
    if (pos < file.size())
        split.parts.push_back({std::nullopt, {file.begin() + long(pos), file.end()}});
    std::sort(split.damaged.begin(), split.damaged.end());
    return split;
}

std::optional<std::vector<uint8_t>> joinStoredImages(const MultiPictureFile& file)
{
    const auto old = findStoredImages(file.first);
    if (!old || old->index.entries.empty())
        return std::nullopt;
    std::vector<MpEntry> entries{old->index.entries[0]};
    for (const FilePart& part : file.parts)
        if (part.entry)
            entries.push_back(*part.entry);
    // The new index first, so that the numbers are counted in the header as it will be.
    auto first = editHeader(file.first, [&](std::vector<Segment>& segments) {
        const auto isIndex = [](const Segment& s) {
            return s.marker == kAPP2 && isMpfPayload(s.payload());
        };
        auto index = std::find_if(segments.begin(), segments.end(), isIndex);
        if (index == segments.end())
            return false;
        // One index only: a second one would list what this one no longer does.
        const auto others = std::remove_if(index + 1, segments.end(), isIndex);
        segments.erase(others, segments.end());
        if (entries.size() == 1) {
            segments.erase(index);
            return true;
        }
        auto payload = rewriteMpIndex(index->payload(), entries);
        if (!payload)
            payload = makeMpIndex(entries, old->index.bigEndian);
        *index = makeSegment(kAPP2, *payload);
        return true;
    });
    if (!first)
        return std::nullopt;
    size_t total = first->size();
    for (const FilePart& part : file.parts)
        total += part.bytes.size();
    if (total > UINT32_MAX)
        return std::nullopt;
    std::vector<uint8_t> out = std::move(*first);
    if (entries.size() > 1) {
        const auto now = findStoredImages(out);
        if (!now)
            return std::nullopt;
        entries[0].size = uint32_t(out.size());
        size_t pos = out.size();
        size_t e = 1;
        for (const FilePart& part : file.parts) {
            if (part.entry) {
                entries[e].size = uint32_t(part.bytes.size());
                entries[e++].offset = uint32_t(pos - now->tiffStart);
            }
            pos += part.bytes.size();
        }
        const size_t payloadAt = now->segmentStart + 4;
        const size_t payloadSize =
            size_t(out[now->segmentStart + 2] << 8 | out[now->segmentStart + 3]) - 2;
        const auto payload =
            rewriteMpIndex(std::span(out).subspan(payloadAt, payloadSize), entries);
        if (!payload)
            return std::nullopt;
        std::copy(payload->begin(), payload->end(), out.begin() + long(payloadAt));
    }
    out.reserve(total);
    for (const FilePart& part : file.parts)
        out.insert(out.end(), part.bytes.begin(), part.bytes.end());
    return out;
}

} // namespace markers
