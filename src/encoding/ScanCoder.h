// SPDX-License-Identifier: GPL-3.0-or-later
// The entropy coding of a progressive JPEG's scans, done here rather than by libjpeg so
// that the scans of several scripts can be measured without writing any, and only the
// chosen ones written once. Symbols, end-of-band runs and correction bits are sent as
// libjpeg's progressive Huffman coder sends them, so the bytes are the same as libjpeg's.
#pragma once

#include "encoding/CoefficientImage.h"
#include "encoding/HuffmanCode.h"
#include "encoding/ScanSearch.h"
#include "encoding/ZigzagBits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brelin {

// What a scan sends: the symbols per Huffman table (0 luma, 1 chroma) and the bits sent
// beside them.
struct ScanCounts
{
    SymbolCounts symbols[2];
    bool uses[2] = {};
    uint64_t extraBits = 0;
};

// The Huffman tables a scan with `counts` is sent with; empty where a table is unused or
// cannot be made.
struct ScanTables
{
    HuffmanTable table[2];
};
ScanTables tablesFor(const ScanCounts& counts);

// The bytes the scan takes (its DHT segments, SOS and data), the data's 0xFF stuffing
// aside.
size_t scanBytesBeforeStuffing(const Scan& scan, const ScanCounts& counts,
                               const ScanTables& tables);

// One image's scans counted and coded. Which coefficients are nonzero at each bit plane
// is noted per block once, for every scan to read.
class ScanCoder
{
public:
    explicit ScanCoder(const CoefficientImage& image);

    // Whether `scan` can be coded here: one component, or both chroma components' DC
    // (libjpeg's transcoder would add blocks to an interleaved scan with the luma).
    bool codable(const Scan& scan) const;

    // The counts of each of `scans` (all codable), each component's blocks read once.
    std::vector<ScanCounts> count(std::span<const Scan> scans) const;

    // Appends the scans (all codable, each with its tables) as libjpeg writes them: each
    // one's DHT segments, SOS and entropy-coded data.
    void write(std::span<const Scan> scans, std::span<const ScanTables> tables,
               std::vector<uint8_t>& out) const;

    // Bit planes noted: scans whose Al or Ah reach this are not codable.
    static constexpr int kPlanes = kBitPlanes;
    struct BlockBits
    {
        uint64_t atLeast[kPlanes]; // as zigzagBits gives them
    };

private:
    void writeScanHeader(const Scan& scan, const ScanTables& tables,
                         std::vector<uint8_t>& out) const;

    const CoefficientImage& image_;
    std::vector<BlockBits> bits_[3];
};

// The stream's start as libjpeg's transcoder writes it: SOI, JFIF, DQT and a progressive
// SOF for 8-bit grey or YCbCr 4:2:0.
void writeProgressiveHeader(const CoefficientImage& image, std::vector<uint8_t>& out);

} // namespace brelin
