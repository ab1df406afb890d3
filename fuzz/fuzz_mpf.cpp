// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the Multi-Picture Format index of a whole file and the images it
// lists, the gain map taken out, left out and put back, and the reader and rewriter on
// an APP2 payload (from the first "MPF\0" of the input on, so that whole photos seed it).
#include "markers/GainMap.h"
#include "markers/MarkerTools.h"
#include "markers/MultiPicture.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // As a whole file: every image found lies inside it.
    if (const auto found = markers::findStoredImages({data, size})) {
        for (const markers::StoredImage& image : found->images)
            if (image.start > size || image.size > size - image.start)
                __builtin_trap();
        // Nothing removed, nothing moved: an index written anew is the same index.
        const auto same = markers::reindexStoredImages({data, size}, {data, size});
        if (same && !std::equal(same->begin(), same->end(), data, data + size))
            __builtin_trap();
    }

    if (const auto gain = markers::findGainMap({data, size})) {
        // Taken apart and joined again, a file lists the same images (and has no index
        // when it lists none).
        const bool lists = std::any_of(gain->file.parts.begin(), gain->file.parts.end(),
                                       [](const markers::FilePart& p) { return bool(p.entry); });
        const auto joined = markers::joinStoredImages(gain->file);
        const auto again = joined ? markers::splitStoredImages(*joined) : std::nullopt;
        if (joined && lists != bool(again))
            __builtin_trap();
        if (again && again->parts.size() != gain->file.parts.size())
            __builtin_trap();
        // Without its map, a file has none; with a map put back, it has that one.
        if (const auto without = markers::withoutGainMap(*gain)) {
            const auto left = markers::findGainMap(*without);
            if (!markers::checkStream(*without).ok || (left && left->map))
                __builtin_trap();
            if (gain->map) {
                const auto& map = gain->file.parts[*gain->map].bytes;
                const auto with = markers::withGainMap(*without, *gain, map);
                const auto back = with ? markers::findGainMap(*with) : std::nullopt;
                if (with && (!back || !back->map || back->file.parts[*back->map].bytes != map))
                    __builtin_trap();
            }
        }
    }

    static const uint8_t kId[] = {'M', 'P', 'F', 0};
    const uint8_t* end = data + size;
    const uint8_t* start = std::search(data, end, kId, kId + 4);
    const std::span<const uint8_t> payload(start == end ? data : start,
                                           start == end ? size : size_t(end - start));
    const auto index = markers::readMpIndex(payload);
    if (!index)
        return 0;
    // The same numbers written back give the same bytes; a new index reads back alike.
    const auto same = markers::rewriteMpIndex(payload, index->entries);
    if (!same || !std::equal(same->begin(), same->end(), payload.begin(), payload.end()))
        __builtin_trap();
    const auto made = markers::readMpIndex(markers::makeMpIndex(index->entries, index->bigEndian));
    if (!made || made->entries != index->entries)
        __builtin_trap();
    return 0;
}
