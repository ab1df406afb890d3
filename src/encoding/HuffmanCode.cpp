// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/HuffmanCode.h"

#include <algorithm>
#include <iterator>

namespace brelin {

HuffmanTable optimalTable(const SymbolCounts& counts)
{
    // Symbol 256 is a reserved one of count 1: the longest code it gets is dropped at the
    // end, so that no code is all ones.
    constexpr int kSymbols = 257;
    HuffmanTable table;
    if (std::all_of(std::begin(counts.count), std::end(counts.count),
                    [](uint32_t c) { return c == 0; }))
        return table;
    uint64_t freq[kSymbols];
    int size[kSymbols] = {};
    int next[kSymbols]; // the tree's leaves chained under each merged node
    for (int i = 0; i < 256; ++i)
        freq[i] = counts.count[i];
    freq[256] = 1;
    for (int& n : next)
        n = -1;
    while (true) {
        // The two least frequent; of equal ones the higher symbol first.
        int v1 = -1, v2 = -1;
        for (int i = 0; i < kSymbols; ++i)
            if (freq[i] && (v1 < 0 || freq[i] <= freq[v1]))
                v1 = i;
        for (int i = 0; i < kSymbols; ++i)
            if (freq[i] && i != v1 && (v2 < 0 || freq[i] <= freq[v2]))
                v2 = i;
        if (v2 < 0)
            break;
        freq[v1] += freq[v2];
        freq[v2] = 0;
        int v = v1;
        ++size[v];
        while (next[v] >= 0) {
            v = next[v];
            ++size[v];
        }
        next[v] = v2;
        for (v = v2, ++size[v]; next[v] >= 0;) {
            v = next[v];
            ++size[v];
        }
    }
    int bits[33] = {};
    for (int i = 0; i < kSymbols; ++i)
        if (size[i]) {
            if (size[i] > 32)
                return table; // cannot happen with 32-bit counts
            ++bits[size[i]];
        }
    // Codes longer than 16 bits: two leaves of the longest length move up, taking the
    // place of one shorter leaf that moves down (Annex K.3).
    for (int i = 32; i > 16; --i)
        while (bits[i] > 0) {
            int j = i - 2;
            while (bits[j] == 0)
                --j;
            bits[i] -= 2;
            bits[i - 1] += 1;
            bits[j + 1] += 2;
            bits[j] -= 1;
        }
    int longest = 16;
    while (bits[longest] == 0)
        --longest;
    bits[longest] -= 1; // the reserved symbol's code
    for (int i = 1; i <= 16; ++i)
        table.bits[i] = uint8_t(bits[i]);
    for (int length = 1; length <= 32; ++length)
        for (int s = 0; s < 256; ++s)
            if (size[s] == length)
                table.values.push_back(uint8_t(s));
    return table;
}

HuffmanCodes::HuffmanCodes(const HuffmanTable& table)
{
    size_t k = 0;
    uint32_t code = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int n = 0; n < table.bits[length] && k < table.values.size(); ++n, ++k) {
            this->code[table.values[k]] = uint16_t(code++);
            this->length[table.values[k]] = uint8_t(length);
        }
        code <<= 1;
    }
}

uint64_t codedBits(const SymbolCounts& counts, const HuffmanCodes& codes)
{
    uint64_t bits = 0;
    for (int s = 0; s < 256; ++s)
        bits += uint64_t(counts.count[s]) * codes.length[s];
    return bits;
}

} // namespace brelin
