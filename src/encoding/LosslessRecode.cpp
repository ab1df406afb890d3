// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/LosslessRecode.h"

#include "encoding/ScanSearch.h"
#include "encoding/StreamParts.h"
#include "platform/JpegCommon.h"
#include "scaling/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace brelin {
namespace {

// Every warning fails: a stream libjpeg had to guess about (damaged data, a short table)
// is copied as it stands rather than rewritten from the guess.
void failOnAnyWarning(j_common_ptr cinfo, int level)
{
    if (level < 0)
        onJpegError(cinfo);
}

struct CoefficientReader
{
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jvirt_barray_ptr* arrays = nullptr;
    bool created = false;

    CoefficientReader() = default;
    CoefficientReader(const CoefficientReader&) = delete;
    CoefficientReader& operator=(const CoefficientReader&) = delete;
    ~CoefficientReader() { release(); }
    // Frees the coefficients, which are most of the memory a recode takes.
    void release()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
        created = false;
        arrays = nullptr;
    }
};

struct CoefficientWriter
{
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    bool created = false;

    CoefficientWriter() = default;
    CoefficientWriter(const CoefficientWriter&) = delete;
    CoefficientWriter& operator=(const CoefficientWriter&) = delete;
    ~CoefficientWriter()
    {
        if (created)
            jpeg_destroy_compress(&cinfo);
        free(out);
    }
    std::span<const uint8_t> bytes() const { return {out, size_t(outSize)}; }
};

// No object with a destructor lives between the setjmp calls below and libjpeg's jumps.
bool readCoefficients(CoefficientReader& r, std::span<const uint8_t> jpeg)
{
    r.cinfo.err = installErrors(r.err);
    r.err.pub.emit_message = failOnAnyWarning;
    if (setjmp(r.err.jump))
        return false;
    jpeg_create_decompress(&r.cinfo);
    r.created = true;
    jpeg_mem_src(&r.cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    if (jpeg_read_header(&r.cinfo, TRUE) != JPEG_HEADER_OK)
        failJpeg(r.err, JpegProblem::NotJpeg, "the stream holds no image");
    if (uint64_t(r.cinfo.image_width) * r.cinfo.image_height > kMaxPixels)
        failJpeg(r.err, JpegProblem::TooLarge, "the image has more than 2^28 pixels");
    r.arrays = jpeg_read_coefficients(&r.cinfo);
    return r.arrays != nullptr;
}

// Progressive with `scans`, libjpeg's own script when they are empty.
bool writeCoefficients(CoefficientReader& source, ScanLayout layout,
                       const std::vector<jpeg_scan_info>& scans, CoefficientWriter& w)
{
    w.cinfo.err = installErrors(w.err);
    w.err.pub.emit_message = failOnAnyWarning;
    if (setjmp(w.err.jump))
        return false;
    jpeg_create_compress(&w.cinfo);
    w.created = true;
    jpeg_mem_dest(&w.cinfo, &w.out, &w.outSize);
    jpeg_copy_critical_parameters(&source.cinfo, &w.cinfo);
    // The source's own APP0 and APP14 stay with its other segments.
    w.cinfo.write_JFIF_header = FALSE;
    w.cinfo.write_Adobe_marker = FALSE;
    w.cinfo.arith_code = FALSE;
    w.cinfo.optimize_coding = TRUE;
    w.cinfo.restart_interval = 0;
    if (layout == ScanLayout::Progressive && scans.empty())
        jpeg_simple_progression(&w.cinfo);
    else if (layout == ScanLayout::Progressive) {
        w.cinfo.scan_info = scans.data();
        w.cinfo.num_scans = int(scans.size());
    }
    jpeg_write_coefficients(&w.cinfo, source.arrays);
    jpeg_finish_compress(&w.cinfo);
    return true;
}

const JQUANT_TBL* tableOf(const jpeg_decompress_struct& cinfo, const jpeg_component_info& c)
{
    if (c.quant_table)
        return c.quant_table;
    return c.quant_tbl_no >= 0 && c.quant_tbl_no < NUM_QUANT_TBLS
               ? cinfo.quant_tbl_ptrs[c.quant_tbl_no]
               : nullptr;
}

bool sameCoefficients(CoefficientReader& a, CoefficientReader& b)
{
    if (setjmp(a.err.jump))
        return false;
    if (setjmp(b.err.jump))
        return false;
    const auto& x = a.cinfo;
    const auto& y = b.cinfo;
    if (x.image_width != y.image_width || x.image_height != y.image_height ||
        x.num_components != y.num_components || x.jpeg_color_space != y.jpeg_color_space ||
        x.data_precision != y.data_precision)
        return false;
    for (int c = 0; c < x.num_components; ++c) {
        const jpeg_component_info& p = x.comp_info[c];
        const jpeg_component_info& q = y.comp_info[c];
        if (p.component_id != q.component_id || p.h_samp_factor != q.h_samp_factor ||
            p.v_samp_factor != q.v_samp_factor || p.width_in_blocks != q.width_in_blocks ||
            p.height_in_blocks != q.height_in_blocks)
            return false;
        const JQUANT_TBL* tp = tableOf(x, p);
        const JQUANT_TBL* tq = tableOf(y, q);
        if (!tp || !tq || std::memcmp(tp->quantval, tq->quantval, sizeof tp->quantval) != 0)
            return false;
        const size_t rowBytes = size_t(p.width_in_blocks) * sizeof(JBLOCK);
        for (JDIMENSION row = 0; row < p.height_in_blocks; ++row) {
            JBLOCKARRAY ra = (*x.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&a.cinfo),
                                                          a.arrays[c], row, 1, FALSE);
            JBLOCKARRAY rb = (*y.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&b.cinfo),
                                                          b.arrays[c], row, 1, FALSE);
            if (std::memcmp(ra[0], rb[0], rowBytes) != 0)
                return false;
        }
    }
    return true;
}

// `jpeg`'s first image, its coefficients read into `source`; none (with why) when the
// stream cannot be cut or read.
std::optional<std::span<const uint8_t>> readPrimary(std::span<const uint8_t> jpeg,
                                                    CoefficientReader& source, std::string& why)
{
    const auto parts = streamParts(jpeg);
    if (!parts || parts->markersAmongScans) {
        why = parts ? "segments lie among the scans" : "not a whole JPEG stream";
        return std::nullopt;
    }
    const auto primary = jpeg.first(parts->end);
    if (!readCoefficients(source, primary)) {
        why = source.err.message;
        return std::nullopt;
    }
    return primary;
}

// What the check compares: the frame and, per row of blocks, a 64-bit hash of its
// coefficients, so that a candidate is checked after the source's coefficients are freed
// and a recode holds one image's coefficients at a time, not two.
struct CoefficientDigest
{
    std::vector<uint64_t> values;
    bool operator==(const CoefficientDigest&) const = default;
};

uint64_t mixed(uint64_t hash, uint64_t value)
{
    // A multiply-xorshift step: every bit of a value reaches every bit of the hash.
    hash = (hash ^ value) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

bool digestOf(CoefficientReader& r, CoefficientDigest& digest)
{
    if (setjmp(r.err.jump))
        return false;
    const auto& x = r.cinfo;
    auto& v = digest.values;
    v = {x.image_width, x.image_height, uint64_t(x.num_components), uint64_t(x.jpeg_color_space),
         uint64_t(x.data_precision)};
    for (int c = 0; c < x.num_components; ++c) {
        const jpeg_component_info& p = x.comp_info[c];
        v.insert(v.end(), {uint64_t(p.component_id), uint64_t(p.h_samp_factor),
                           uint64_t(p.v_samp_factor), p.width_in_blocks, p.height_in_blocks});
        const JQUANT_TBL* table = tableOf(x, p);
        if (!table)
            return false;
        v.insert(v.end(), std::begin(table->quantval), std::end(table->quantval));
        for (JDIMENSION row = 0; row < p.height_in_blocks; ++row) {
            JBLOCKARRAY blocks = (*x.mem->access_virt_barray)(
                reinterpret_cast<j_common_ptr>(&r.cinfo), r.arrays[c], row, 1, FALSE);
            const auto* words = reinterpret_cast<const unsigned char*>(blocks[0]);
            uint64_t hash = row;
            for (size_t at = 0; at < size_t(p.width_in_blocks) * sizeof(JBLOCK); at += 8) {
                uint64_t word;
                std::memcpy(&word, words + at, 8);
                hash = mixed(hash, word);
            }
            v.push_back(hash);
        }
    }
    return true;
}

// The source's coefficients written with `layout` and spliced into the source's segments;
// none (with why) when libjpeg fails or the result is not under `under` bytes.
std::optional<std::vector<uint8_t>> recode(CoefficientReader& source,
                                           std::span<const uint8_t> primary, ScanLayout layout,
                                           size_t under, std::string& why)
{
    std::vector<ProbeScript> probes;
    if (layout == ScanLayout::Progressive)
        probes = probeScripts(source.cinfo.num_components);
    // A baseline scan, or each progressive probe; a frame the probes do not serve (four
    // components) gets libjpeg's own progressive script.
    std::vector<std::vector<uint8_t>> written;
    for (size_t k = 0; k < std::max<size_t>(probes.size(), 1); ++k) {
        const std::vector<jpeg_scan_info> scans =
            probes.empty() ? std::vector<jpeg_scan_info>{} : scanInfoOf(probes[k].scans);
        CoefficientWriter writer;
        if (!writeCoefficients(source, layout, scans, writer)) {
            why = writer.err.message;
            return std::nullopt;
        }
        written.emplace_back(writer.bytes().begin(), writer.bytes().end());
    }
    std::optional<std::vector<uint8_t>> best;
    if (written.size() > 1)
        best = spliceSmallest(written, probes);
    auto spliced = withImageDataOf(primary, best ? *best : written[0]);
    if (!spliced) {
        why = "the rewritten stream cannot be joined to the source's segments";
        return std::nullopt;
    }
    if (spliced->size() >= under)
        return std::nullopt;
    return spliced;
}

// True when `made` reads back to the coefficients `expected` was taken from.
bool checked(std::span<const uint8_t> made, const CoefficientDigest& expected, std::string& why)
{
    CoefficientReader back;
    if (!readCoefficients(back, made)) {
        why = std::string("the rewritten stream does not read back: ") + back.err.message;
        return false;
    }
    CoefficientDigest digest;
    if (!digestOf(back, digest) || !(digest == expected)) {
        why = "the rewritten stream holds other coefficients";
        return false;
    }
    return true;
}

// The smallest of the layouts that is under the source's size and checks out.
std::optional<std::vector<uint8_t>> smallestChecked(std::span<const uint8_t> jpeg,
                                                    std::initializer_list<ScanLayout> layouts,
                                                    std::string& why)
{
    CoefficientReader source;
    const auto primary = readPrimary(jpeg, source, why);
    if (!primary)
        return std::nullopt;
    CoefficientDigest expected;
    if (!digestOf(source, expected)) {
        why = source.err.message;
        return std::nullopt;
    }
    // Each candidate smaller than the ones before it; the last is the smallest.
    std::vector<std::vector<uint8_t>> candidates;
    for (const ScanLayout layout : layouts)
        if (auto made =
                recode(source, *primary, layout,
                       candidates.empty() ? primary->size() : candidates.back().size(), why))
            candidates.push_back(std::move(*made));
    source.release();
    for (auto candidate = candidates.rbegin(); candidate != candidates.rend(); ++candidate)
        if (checked(*candidate, expected, why))
            return std::move(*candidate);
    return std::nullopt;
}

} // namespace

std::optional<std::vector<uint8_t>> recodeLosslessly(std::span<const uint8_t> jpeg,
                                                     ScanLayout layout, std::string& why)
{
    CoefficientReader source;
    const auto primary = readPrimary(jpeg, source, why);
    if (!primary)
        return std::nullopt;
    CoefficientDigest expected;
    if (!digestOf(source, expected)) {
        why = source.err.message;
        return std::nullopt;
    }
    auto made = recode(source, *primary, layout, SIZE_MAX, why);
    source.release();
    if (!made || !checked(*made, expected, why))
        return std::nullopt;
    return made;
}

std::optional<std::vector<uint8_t>> smallestLosslessRecode(std::span<const uint8_t> jpeg,
                                                           bool progressive, std::string& why)
{
    if (progressive)
        return smallestChecked(jpeg, {ScanLayout::Baseline, ScanLayout::Progressive}, why);
    return smallestChecked(jpeg, {ScanLayout::Baseline}, why);
}

bool sameCoefficients(std::span<const uint8_t> a, std::span<const uint8_t> b)
{
    CoefficientReader x, y;
    return readCoefficients(x, a) && readCoefficients(y, b) && sameCoefficients(x, y);
}

} // namespace brelin
