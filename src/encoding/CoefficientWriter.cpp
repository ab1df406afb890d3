// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/CoefficientWriter.h"

#include "encoding/ScanCoder.h"
#include "encoding/ScanSearch.h"
#include "platform/JpegCommon.h"

#include <algorithm>
#include <cstring>

namespace brelin {
namespace {

// libjpeg's transcoder reads coefficients through its memory manager's virtual arrays; ours
// are handed over in place: the manager's accessor is replaced by one that answers for
// them with rows of the image itself, so that nothing is zeroed, allocated or copied.
struct HeldArrays
{
    jvirt_barray_ptr handles[3];    // what libjpeg holds: our own addresses
    std::vector<JBLOCKROW> rows[3]; // each block row, then the last again
    JBLOCKARRAY (*libjpegsAccess)(j_common_ptr, jvirt_barray_ptr, JDIMENSION, JDIMENSION, boolean);
};

JBLOCKARRAY accessHeld(j_common_ptr cinfo, jvirt_barray_ptr array, JDIMENSION first,
                       JDIMENSION count, boolean writable)
{
    HeldArrays& held = *static_cast<HeldArrays*>(cinfo->client_data);
    for (int c = 0; c < 3; ++c)
        if (array == held.handles[c] && first + count <= held.rows[c].size())
            return held.rows[c].data() + first;
    return held.libjpegsAccess(cinfo, array, first, count, writable);
}

struct WriteJob
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    const CoefficientImage* image;
    const std::vector<jpeg_scan_info>* scans; // none: one sequential scan
    HeldArrays* held;
    unsigned char* out;
    unsigned long outSize;
};

// No object with a destructor lives in this frame: libjpeg jumps out of it on errors.
bool runWrite(WriteJob& job)
{
    job.cinfo.err = installErrors(job.err);
    if (setjmp(job.err.jump)) {
        jpeg_destroy_compress(&job.cinfo);
        return false;
    }
    const CoefficientImage& image = *job.image;
    jpeg_create_compress(&job.cinfo);
    jpeg_mem_dest(&job.cinfo, &job.out, &job.outSize);
    job.cinfo.image_width = JDIMENSION(image.width);
    job.cinfo.image_height = JDIMENSION(image.height);
    job.cinfo.input_components = image.components;
    job.cinfo.in_color_space = image.components == 1 ? JCS_GRAYSCALE : JCS_YCbCr;
    jpeg_set_defaults(&job.cinfo);
    jpeg_set_colorspace(&job.cinfo, job.cinfo.in_color_space);
    for (int t = 0; t < (image.components == 1 ? 1 : 2); ++t) {
        unsigned int table[DCTSIZE2];
        std::copy(std::begin(image.tables[t]), std::end(image.tables[t]), table);
        jpeg_add_quant_table(&job.cinfo, t, table, 100, TRUE);
    }
    HeldArrays& held = *job.held;
    for (int c = 0; c < image.components; ++c) {
        jpeg_component_info& comp = job.cinfo.comp_info[c];
        const int sampling = image.components == 3 && c == 0 ? 2 : 1;
        comp.h_samp_factor = comp.v_samp_factor = sampling;
        comp.quant_tbl_no = image.planes[c].table;
    }
    job.cinfo.client_data = &held;
    held.libjpegsAccess = job.cinfo.mem->access_virt_barray;
    job.cinfo.mem->access_virt_barray = accessHeld;
    job.cinfo.optimize_coding = TRUE;
    if (job.scans) {
        job.cinfo.scan_info = job.scans->data();
        job.cinfo.num_scans = int(job.scans->size());
    }
    jpeg_write_coefficients(&job.cinfo, held.handles);
    jpeg_finish_compress(&job.cinfo);
    jpeg_destroy_compress(&job.cinfo);
    return true;
}

std::optional<std::vector<uint8_t>> writeWithScans(const CoefficientImage& image,
                                                   const std::vector<jpeg_scan_info>* scans,
                                                   JpegError& error)
{
    if ((image.components != 1 && image.components != 3) || image.width <= 0 || image.height <= 0) {
        error.set(JpegProblem::Other, "no coefficients to write");
        return std::nullopt;
    }
    // libjpeg reads only the blocks inside the image, but asks for whole MCU rows: the rows
    // past the last are the last again.
    HeldArrays held{};
    for (int c = 0; c < image.components; ++c) {
        const CoefficientPlane& plane = image.planes[c];
        held.handles[c] = reinterpret_cast<jvirt_barray_ptr>(&held.rows[c]);
        for (int by = 0; by < plane.heightInBlocks + 2; ++by)
            held.rows[c].push_back(reinterpret_cast<JBLOCKROW>(
                const_cast<int16_t*>(plane.block(0, std::min(by, plane.heightInBlocks - 1)))));
    }
    WriteJob job{};
    job.image = &image;
    job.scans = scans;
    job.held = &held;
    if (!runWrite(job)) {
        job.err.fillIn(error);
        free(job.out);
        return std::nullopt;
    }
    return takeBytes(job.out, job.outSize);
}

} // namespace

std::optional<std::vector<uint8_t>>
writeCoefficients(const CoefficientImage& image, const std::vector<Scan>& scans, JpegError& error)
{
    const std::vector<jpeg_scan_info> info = scanInfoOf(scans);
    return writeWithScans(image, &info, error);
}

namespace {

// The probes' scans counted, each part sent the way whose count is least (the first
// probe's on a tie), and only those scans coded. Counts leave out the stuffed bytes, a
// few in a thousand and alike in every probe; none when a scan is not one the coder
// handles or a table cannot be made, as libjpeg would refuse it too; empty, with OverSize
// in `error`, when the counts alone have more than `largest` bytes.
std::optional<std::vector<uint8_t>> writeChosen(const CoefficientImage& image,
                                                std::span<const ProbeScript> probes, size_t largest,
                                                JpegError& error)
{
    std::vector<Scan> all;
    for (const ProbeScript& p : probes) {
        if (p.partEnds.size() != probes[0].partEnds.size() || p.partEnds.back() != p.scans.size())
            return std::nullopt;
        all.insert(all.end(), p.scans.begin(), p.scans.end());
    }
    const ScanCoder coder(image);
    for (const Scan& scan : all)
        if (!coder.codable(scan))
            return std::nullopt;
    const std::vector<ScanCounts> counts = coder.count(all);
    std::vector<ScanTables> tables;
    std::vector<size_t> bytes;
    for (size_t i = 0; i < all.size(); ++i) {
        tables.push_back(tablesFor(counts[i]));
        for (int t = 0; t < 2; ++t)
            if (counts[i].uses[t] && tables[i].table[t].values.empty())
                return std::nullopt;
        bytes.push_back(scanBytesBeforeStuffing(all[i], counts[i], tables[i]));
    }
    std::vector<size_t> chosen; // indices into `all`
    size_t total = 0;
    for (size_t part = 0; part < probes[0].partEnds.size(); ++part) {
        size_t best = 0, bestBytes = 0, offset = 0, bestOffset = 0;
        for (size_t k = 0; k < probes.size(); ++k) {
            const size_t from = part ? probes[k].partEnds[part - 1] : 0;
            size_t sum = 0;
            for (size_t i = from; i < probes[k].partEnds[part]; ++i)
                sum += bytes[offset + i];
            if (k == 0 || sum < bestBytes) {
                best = k;
                bestBytes = sum;
                bestOffset = offset;
            }
            offset += probes[k].scans.size();
        }
        for (size_t i = part ? probes[best].partEnds[part - 1] : 0; i < probes[best].partEnds[part];
             ++i)
            chosen.push_back(bestOffset + i);
        total += bestBytes;
    }
    std::vector<uint8_t> out;
    writeProgressiveHeader(image, out);
    const size_t atLeast = out.size() + total + 2; // stuffed bytes only add to it
    if (largest && atLeast > largest) {
        error.set(JpegProblem::OverSize, "larger than asked");
        error.atLeast = atLeast;
        return std::vector<uint8_t>{};
    }
    out.reserve(atLeast + atLeast / 64);
    std::vector<Scan> scans;
    std::vector<ScanTables> scanTables;
    for (size_t i : chosen) {
        scans.push_back(all[i]);
        scanTables.push_back(std::move(tables[i]));
    }
    coder.write(scans, scanTables, out);
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

} // namespace

std::optional<std::vector<uint8_t>> writeCoefficients(const CoefficientImage& image,
                                                      ScanScript script, JpegError& error,
                                                      size_t largest)
{
    if (script == ScanScript::Baseline)
        return writeWithScans(image, nullptr, error);
    const std::vector<ProbeScript> probes = probeScripts(image.components);
    if (probes.empty()) {
        error.set(JpegProblem::Other, "no coefficients to write");
        return std::nullopt;
    }
    const size_t count = script == ScanScript::Searched ? probes.size() : 1;
    if (auto ours = writeChosen(image, std::span(probes).first(count), largest, error)) {
        if (ours->empty())
            return std::nullopt; // larger than asked
        return ours;
    }
    // libjpeg's transcoder, which says why where it fails.
    std::vector<std::vector<uint8_t>> written;
    for (size_t k = 0; k < count; ++k) {
        auto made = writeCoefficients(image, probes[k].scans, error);
        if (!made)
            return std::nullopt;
        written.push_back(std::move(*made));
    }
    if (count == 1)
        return std::move(written[0]);
    if (auto spliced = spliceSmallest(written, probes))
        return spliced;
    return std::move(written[0]);
}

} // namespace brelin
