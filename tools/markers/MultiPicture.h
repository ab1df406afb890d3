// SPDX-License-Identifier: GPL-3.0-or-later
// The Multi-Picture Format index of a JPEG (an APP2 segment "MPF\0"): the images stored
// one after the other in the file (an HDR gain map, a camera's large preview, the second
// view of a stereo photo), each with its size and its offset. Offsets count from the TIFF
// header inside the segment; the first image, the one the segment belongs to, has 0.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace markers {

constexpr uint8_t kAPP2 = 0xE2;

struct MpEntry
{
    uint32_t attributes = 0; // flags, image format and type, as stored
    uint32_t size = 0;
    uint32_t offset = 0;
    uint16_t dependent1 = 0;
    uint16_t dependent2 = 0;

    bool operator==(const MpEntry&) const = default;
};

struct MpIndex
{
    bool bigEndian = false;
    std::vector<MpEntry> entries;
};

// Where, in an APP2 payload, the offsets of the index count from.
constexpr size_t kMpfTiffStart = 4;

// Whether an APP2 payload starts with the identifier "MPF\0".
bool isMpfPayload(std::span<const uint8_t> payload);

// The index of an APP2 payload; none when it is no well-formed MPF index.
std::optional<MpIndex> readMpIndex(std::span<const uint8_t> payload);

// The payload with its entries' numbers replaced by `entries`, which must be as many as
// it holds, so that its size stays; every other byte is kept. None when it is no index.
std::optional<std::vector<uint8_t>> rewriteMpIndex(std::span<const uint8_t> payload,
                                                   const std::vector<MpEntry>& entries);

// A new payload that lists `entries`: version, number of images and the entries, nothing
// else. For an index some of whose images are left out.
std::vector<uint8_t> makeMpIndex(const std::vector<MpEntry>& entries, bool bigEndian);

// One image that an index lists after the first, where it lies in the file.
struct StoredImage
{
    size_t entry = 0; // its position in the index
    size_t start = 0; // in the file
    size_t size = 0;
};

// What the index of a whole JPEG file lists.
struct StoredImages
{
    size_t segmentStart = 0; // the index's APP2 marker, in the file
    size_t tiffStart = 0;    // where the index's offsets count from, in the file
    MpIndex index;
    std::vector<StoredImage> images; // in the file, each starting with SOI
    std::vector<size_t> damaged;     // entries whose bytes are not in the file
};

// The index in the header of `file` and the images it lists after the first; none when
// the header holds no readable index.
std::optional<StoredImages> findStoredImages(std::span<const uint8_t> file);

// `changed` is `original` with segments of its header removed or replaced, and the rest
// copied: the images stored after the first have moved by the difference in size. The
// index in `changed` is written anew for it (the first image's size and the others'
// offsets); none when there is nothing to rewrite or the images are not where they
// should be.
std::optional<std::vector<uint8_t>> reindexStoredImages(std::span<const uint8_t> original,
                                                        std::span<const uint8_t> changed);

// A part of a file after its first image: an image the index lists, with its entry, or
// bytes it does not list (a phone's padding, a motion photo's video), which stay in place.
struct FilePart
{
    std::optional<MpEntry> entry;
    std::vector<uint8_t> bytes;
};

// A file with an index, taken apart.
struct MultiPictureFile
{
    std::vector<uint8_t> first;  // the first image, its index included, up to the next image
    std::vector<FilePart> parts; // what follows it, in file order
    std::vector<size_t> damaged; // entries whose bytes are not in the file: left out
};

// None when the header holds no readable index or the first image is not a whole stream.
std::optional<MultiPictureFile> splitStoredImages(std::span<const uint8_t> file);

// The file whole again: the first image's index written anew for the parts it lists
// (sizes and offsets; the entries as many as listed), or left out when it lists none.
// None when the first image has no index or the file is too large for one.
std::optional<std::vector<uint8_t>> joinStoredImages(const MultiPictureFile& file);

} // namespace markers
