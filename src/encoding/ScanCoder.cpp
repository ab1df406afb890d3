// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/ScanCoder.h"

#include "encoding/BlockQuantiser.h"
#include "encoding/ZigzagBits.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace brelin {
namespace {

// libjpeg sends a pending end-of-band run once it reaches its longest, or once the
// correction bits waiting with it could overflow its buffer during the next block.
constexpr unsigned kLongestEobRun = 0x7FFF;
constexpr size_t kMostPendingBits = 1000 - 64 + 1;

int bitLength(unsigned v)
{
    return int(std::bit_width(v));
}

// One block as a scan reads it: its levels in natural order, its nonzero ones in zigzag
// order per bit plane.
struct BlockView
{
    const int16_t* natural;
    const ScanCoder::BlockBits& bits;

    int level(int zigzag) const { return natural[kZigzag[zigzag]]; }
    unsigned magnitude(int zigzag) const { return unsigned(std::abs(level(zigzag))); }
};

uint64_t bandMask(int ss, int se)
{
    const uint64_t upTo = se >= 63 ? ~uint64_t(0) : (uint64_t(1) << (se + 1)) - 1;
    return upTo & ~((uint64_t(1) << ss) - 1);
}

struct Counter
{
    ScanCounts& counts;
    void symbol(int table, int s) { ++counts.symbols[table].count[s]; }
    void symbol(int table, int s, uint32_t, int n)
    {
        ++counts.symbols[table].count[s];
        counts.extraBits += unsigned(n);
    }
    void bits(uint32_t, int n) { counts.extraBits += unsigned(n); }
};

class Emitter
{
public:
    Emitter(const ScanTables& tables, std::vector<uint8_t>& out)
        : codes_{HuffmanCodes(tables.table[0]), HuffmanCodes(tables.table[1])}, out_(out)
    {
    }
    void symbol(int table, int s) { put(codes_[table].code[s], codes_[table].length[s]); }
    // A symbol and the n bits that follow it, in one go.
    void symbol(int table, int s, uint32_t value, int n)
    {
        const int length = codes_[table].length[s];
        put(uint32_t(codes_[table].code[s]) << n | (value & ((uint32_t(1) << n) - 1)), length + n);
    }
    void bits(uint32_t value, int n) { put(value & ((uint32_t(1) << n) - 1), n); }
    // The last byte filled with ones.
    void finish()
    {
        if (fill_ % 8)
            put((1u << (8 - fill_ % 8)) - 1, 8 - fill_ % 8);
        while (fill_ >= 8) {
            fill_ -= 8;
            byte(uint8_t(acc_ >> fill_));
        }
    }

private:
    // `value` holds exactly n bits, n at most 32; whole words go out as they fill.
    void put(uint32_t value, int n)
    {
        acc_ = acc_ << n | value;
        fill_ += n;
        if (fill_ < 32)
            return;
        fill_ -= 32;
        const uint32_t word = uint32_t(acc_ >> fill_);
        const uint32_t inverse = ~word; // a zero byte here is a 0xFF byte there
        if ((inverse - 0x01010101u) & ~inverse & 0x80808080u) {
            for (int shift = 24; shift >= 0; shift -= 8)
                byte(uint8_t(word >> shift));
            return;
        }
        const uint8_t bytes[4] = {uint8_t(word >> 24), uint8_t(word >> 16), uint8_t(word >> 8),
                                  uint8_t(word)};
        out_.insert(out_.end(), bytes, bytes + 4);
    }
    void byte(uint8_t b)
    {
        out_.push_back(b);
        if (b == 0xFF)
            out_.push_back(0); // stuffed, so that no marker is read there
    }

    HuffmanCodes codes_[2];
    std::vector<uint8_t>& out_;
    uint64_t acc_ = 0;
    int fill_ = 0;
};

// One scan's coding state; `Sink` counts or sends what it is given.
template <class Sink>
class ScanState
{
public:
    ScanState(const Scan& scan, Sink& sink) : scan_(scan), sink_(sink) {}

    void block(const BlockView& b, int component, int table)
    {
        if (scan_.ss == 0) {
            if (scan_.ah == 0)
                dcFirst(b.natural[0], component, table);
            else
                sink_.bits(uint32_t(b.natural[0] >> scan_.al) & 1, 1);
        } else if (scan_.ah == 0) {
            acFirst(b, table);
        } else {
            acRefine(b, table);
        }
    }

    // Whatever is pending at the scan's end.
    void finish(int table)
    {
        if (scan_.ss)
            sendEobRun(table);
    }

private:
    void dcFirst(int dc, int component, int table)
    {
        const int value = dc >> scan_.al;
        const int diff = value - lastDc_[component];
        lastDc_[component] = value;
        const int n = bitLength(unsigned(std::abs(diff)));
        sink_.symbol(table, n, uint32_t(diff < 0 ? diff - 1 : diff), n);
    }

    void acFirst(const BlockView& b, int table)
    {
        uint64_t nonzero = b.bits.atLeast[scan_.al] & bandMask(scan_.ss, scan_.se);
        int last = scan_.ss - 1;
        while (nonzero) {
            const int k = std::countr_zero(nonzero);
            nonzero &= nonzero - 1;
            int run = k - last - 1;
            last = k;
            sendEobRun(table);
            for (; run > 15; run -= 16)
                sink_.symbol(table, 0xF0);
            const unsigned magnitude = b.magnitude(k) >> scan_.al;
            const int n = bitLength(magnitude);
            sink_.symbol(table, run << 4 | n, b.level(k) < 0 ? ~magnitude : magnitude, n);
        }
        if (last < scan_.se && ++eobRun_ == kLongestEobRun)
            sendEobRun(table);
    }

    void acRefine(const BlockView& b, int table)
    {
        const uint64_t band = bandMask(scan_.ss, scan_.se);
        uint64_t nonzero = b.bits.atLeast[scan_.al] & band;
        const uint64_t before = b.bits.atLeast[scan_.ah] & band; // nonzero in earlier scans
        const uint64_t fresh = nonzero & ~before;
        // Runs of 16 zeros are sent only up to the last new coefficient; past it the end
        // of band covers them.
        const int lastFresh = fresh ? 63 - std::countl_zero(fresh) : 0;
        size_t corrections = 0; // this block's, after those pending with the run
        int run = 0, last = scan_.ss - 1;
        while (nonzero) {
            const int k = std::countr_zero(nonzero);
            nonzero &= nonzero - 1;
            run += k - last - 1;
            last = k;
            while (run > 15 && k <= lastFresh) {
                sendEobRun(table);
                sink_.symbol(table, 0xF0);
                run -= 16;
                sendCorrections(corrections);
            }
            const uint8_t bit = uint8_t((b.magnitude(k) >> scan_.al) & 1);
            if (before >> k & 1) {
                pending_[pendingCount_ + corrections++] = bit;
                continue;
            }
            sendEobRun(table);
            sink_.symbol(table, run << 4 | 1, b.level(k) < 0 ? 0 : 1, 1);
            sendCorrections(corrections);
            run = 0;
        }
        run += scan_.se - last;
        if (run > 0 || corrections > 0) {
            ++eobRun_;
            pendingCount_ += corrections;
            if (eobRun_ == kLongestEobRun || pendingCount_ > kMostPendingBits)
                sendEobRun(table);
        }
    }

    // This block's correction bits, which follow the pending run's.
    void sendCorrections(size_t& count)
    {
        for (size_t i = 0; i < count; ++i)
            sink_.bits(pending_[pendingCount_ + i], 1);
        count = 0;
    }

    void sendEobRun(int table)
    {
        if (!eobRun_)
            return;
        const int n = bitLength(eobRun_) - 1;
        sink_.symbol(table, n << 4, eobRun_, n);
        eobRun_ = 0;
        for (size_t i = 0; i < pendingCount_; ++i)
            sink_.bits(pending_[i], 1);
        // This block's bits, if any, move to the front.
        std::copy(pending_ + pendingCount_, pending_ + pendingCount_ + 64, pending_);
        pendingCount_ = 0;
    }

    Scan scan_;
    Sink& sink_;
    int lastDc_[3] = {};
    unsigned eobRun_ = 0;
    uint8_t pending_[kMostPendingBits + 2 * 64] = {};
    size_t pendingCount_ = 0;
};

int tableOf(const CoefficientImage& image, int component)
{
    return image.planes[component].table;
}

void put16(std::vector<uint8_t>& out, size_t v)
{
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

// Every block of the image handed to the states of the scans it is in, the image read
// once: the luma's blocks, then the chroma's, Cb's and Cr's at each place in turn, which is
// the order an interleaved chroma scan sends them in.
template <class State>
void feedBlocks(const CoefficientImage& image, const std::vector<ScanCoder::BlockBits> (&bits)[3],
                std::span<const Scan> scans, std::vector<State>& states)
{
    std::vector<size_t> mine[3];
    for (size_t i = 0; i < scans.size(); ++i)
        for (int k = 0; k < scans[i].count; ++k)
            mine[scans[i].components[k]].push_back(i);
    for (const auto& [first, last] : {std::pair(0, 0), std::pair(1, image.components - 1)}) {
        size_t blocks = 0;
        for (int c = first; c <= last; ++c)
            blocks = std::max(blocks, bits[c].size());
        for (size_t n = 0; n < blocks; ++n)
            for (int c = first; c <= last; ++c) {
                if (mine[c].empty() || n >= bits[c].size())
                    continue;
                const BlockView b{image.planes[c].blocks.data() + n * 64, bits[c][n]};
                for (size_t i : mine[c])
                    states[i].block(b, c, tableOf(image, c));
            }
    }
}

} // namespace

ScanCoder::ScanCoder(const CoefficientImage& image) : image_(image)
{
    for (int c = 0; c < image.components; ++c) {
        const CoefficientPlane& plane = image.planes[c];
        const size_t blocks = size_t(plane.widthInBlocks) * size_t(plane.heightInBlocks);
        bits_[c].resize(blocks);
        for (size_t n = 0; n < blocks; ++n) {
            zigzagBits(plane.blocks.data() + n * 64, bits_[c][n].atLeast);
        }
    }
}

bool ScanCoder::codable(const Scan& scan) const
{
    if (scan.count < 1 || scan.count > 2 || scan.ss < 0 || scan.se > 63 || scan.ss > scan.se ||
        (scan.ss == 0) != (scan.se == 0) || scan.al >= kPlanes || scan.ah >= kPlanes ||
        (scan.ah && scan.ah != scan.al + 1))
        return false;
    for (int i = 0; i < scan.count; ++i)
        if (scan.components[i] < 0 || scan.components[i] >= image_.components)
            return false;
    if (scan.count == 1)
        return true;
    const CoefficientPlane &a = image_.planes[scan.components[0]],
                           &b = image_.planes[scan.components[1]];
    return scan.ss == 0 && scan.components[0] > 0 && scan.components[1] > scan.components[0] &&
           a.widthInBlocks == b.widthInBlocks && a.heightInBlocks == b.heightInBlocks;
}

std::vector<ScanCounts> ScanCoder::count(std::span<const Scan> scans) const
{
    std::vector<ScanCounts> counts(scans.size());
    std::vector<Counter> counters;
    counters.reserve(scans.size());
    for (ScanCounts& c : counts)
        counters.push_back(Counter{c});
    std::vector<ScanState<Counter>> states;
    states.reserve(scans.size());
    for (size_t i = 0; i < scans.size(); ++i)
        states.emplace_back(scans[i], counters[i]);
    feedBlocks(image_, bits_, scans, states);
    for (size_t i = 0; i < scans.size(); ++i) {
        const Scan& scan = scans[i];
        states[i].finish(tableOf(image_, scan.components[0]));
        if (scan.ss || !scan.ah)
            for (int k = 0; k < scan.count; ++k)
                counts[i].uses[tableOf(image_, scan.components[k])] = true;
    }
    return counts;
}

ScanTables tablesFor(const ScanCounts& counts)
{
    ScanTables tables;
    for (int t = 0; t < 2; ++t)
        if (counts.uses[t])
            tables.table[t] = optimalTable(counts.symbols[t]);
    return tables;
}

size_t scanBytesBeforeStuffing(const Scan& scan, const ScanCounts& counts, const ScanTables& tables)
{
    size_t bytes = 2 + 2 + 1 + 2 * size_t(scan.count) + 3; // SOS
    uint64_t bits = counts.extraBits;
    for (int t = 0; t < 2; ++t)
        if (counts.uses[t]) {
            bytes += 2 + 2 + 1 + 16 + tables.table[t].values.size(); // DHT
            bits += codedBits(counts.symbols[t], HuffmanCodes(tables.table[t]));
        }
    return bytes + size_t((bits + 7) / 8);
}

void ScanCoder::write(std::span<const Scan> scans, std::span<const ScanTables> tables,
                      std::vector<uint8_t>& out) const
{
    // Each scan coded into its own bytes, all from one reading of the image.
    std::vector<std::vector<uint8_t>> coded(scans.size());
    std::vector<Emitter> emitters;
    emitters.reserve(scans.size());
    std::vector<ScanState<Emitter>> states;
    states.reserve(scans.size());
    for (size_t i = 0; i < scans.size(); ++i) {
        writeScanHeader(scans[i], tables[i], coded[i]);
        emitters.emplace_back(tables[i], coded[i]);
        states.emplace_back(scans[i], emitters[i]);
    }
    feedBlocks(image_, bits_, scans, states);
    for (size_t i = 0; i < scans.size(); ++i) {
        states[i].finish(tableOf(image_, scans[i].components[0]));
        emitters[i].finish();
        out.insert(out.end(), coded[i].begin(), coded[i].end());
    }
}

void ScanCoder::writeScanHeader(const Scan& scan, const ScanTables& tables,
                                std::vector<uint8_t>& out) const
{
    const bool dc = scan.ss == 0;
    bool sent[2] = {};
    for (int k = 0; k < scan.count; ++k) {
        const int t = tableOf(image_, scan.components[k]);
        if ((dc && scan.ah) || sent[t])
            continue;
        sent[t] = true;
        const HuffmanTable& table = tables.table[t];
        out.insert(out.end(), {0xFF, 0xC4});
        put16(out, 2 + 1 + 16 + table.values.size());
        out.push_back(uint8_t((dc ? 0 : 0x10) | t));
        out.insert(out.end(), table.bits + 1, table.bits + 17);
        out.insert(out.end(), table.values.begin(), table.values.end());
    }
    out.insert(out.end(), {0xFF, 0xDA});
    put16(out, 2 + 1 + 2 * size_t(scan.count) + 3);
    out.push_back(uint8_t(scan.count));
    for (int k = 0; k < scan.count; ++k) {
        const int t = tableOf(image_, scan.components[k]);
        out.push_back(uint8_t(scan.components[k] + 1));
        // Only the table the scan uses is named, as libjpeg does.
        out.push_back(uint8_t(dc ? (scan.ah ? 0 : t << 4) : t));
    }
    out.push_back(uint8_t(scan.ss));
    out.push_back(uint8_t(scan.se));
    out.push_back(uint8_t(scan.ah << 4 | scan.al));
}

void writeProgressiveHeader(const CoefficientImage& image, std::vector<uint8_t>& out)
{
    out.insert(out.end(), {0xFF, 0xD8});
    // JFIF 1.01, no density unit, aspect 1:1, no thumbnail.
    out.insert(out.end(), {0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01, 0x00, 0x00,
                           0x01, 0x00, 0x01, 0x00, 0x00});
    const int tables = image.components == 1 ? 1 : 2;
    for (int t = 0; t < tables; ++t) {
        out.insert(out.end(), {0xFF, 0xDB, 0x00, 0x43, uint8_t(t)});
        for (int k = 0; k < 64; ++k)
            out.push_back(uint8_t(image.tables[t][kZigzag[k]]));
    }
    out.insert(out.end(), {0xFF, 0xC2});
    put16(out, 8 + 3 * size_t(image.components));
    out.push_back(8);
    put16(out, size_t(image.height));
    put16(out, size_t(image.width));
    out.push_back(uint8_t(image.components));
    for (int c = 0; c < image.components; ++c) {
        const int sampling = image.components == 3 && c == 0 ? 0x22 : 0x11;
        out.insert(out.end(), {uint8_t(c + 1), uint8_t(sampling), uint8_t(tableOf(image, c))});
    }
}

} // namespace brelin
