// SPDX-License-Identifier: GPL-3.0-or-later
// Huffman codes made for the symbols a scan sends: code lengths from their counts (the
// JPEG standard's procedure, Annex K.2, limited to 16 bits), then canonical codes.
#pragma once

#include <cstdint>
#include <vector>

namespace brelin {

// Counts of the 256 symbols of one table.
struct SymbolCounts
{
    uint32_t count[256] = {};
};

// A table as a DHT segment holds it.
struct HuffmanTable
{
    uint8_t bits[17] = {};       // bits[n]: how many codes are n bits long
    std::vector<uint8_t> values; // the symbols, shortest codes first
};

// The optimal table for `counts`, as libjpeg makes it: no code is all ones, and among
// symbols of equal count the higher takes the longer code. Empty when nothing is counted.
HuffmanTable optimalTable(const SymbolCounts& counts);

// Each symbol's code (right-aligned) and length; length 0 for a symbol the table lacks.
struct HuffmanCodes
{
    uint16_t code[256] = {};
    uint8_t length[256] = {};
    explicit HuffmanCodes(const HuffmanTable& table);
};

// The bits the counted symbols take under `codes` (their extra bits not included).
uint64_t codedBits(const SymbolCounts& counts, const HuffmanCodes& codes);

} // namespace brelin
