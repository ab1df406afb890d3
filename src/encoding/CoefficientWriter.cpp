// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/CoefficientWriter.h"

#include "platform/JpegCommon.h"

#include <algorithm>
#include <cstring>

namespace brelin {
namespace {

// DC of every component together, then each component's AC in two bands: no successive
// approximation, whose refinement scans cost more than they save on small, quantised
// images.
void useSpectralScript(jpeg_compress_struct& cinfo, jpeg_scan_info (&scans)[8])
{
    int n = 0;
    const auto scan = [&](std::initializer_list<int> components, int ss, int se) {
        jpeg_scan_info& s = scans[n++];
        s.comps_in_scan = int(components.size());
        int k = 0;
        for (int c : components)
            s.component_index[k++] = c;
        s.Ss = ss;
        s.Se = se;
        s.Ah = s.Al = 0;
    };
    if (cinfo.num_components == 3) {
        scan({0, 1, 2}, 0, 0);
        scan({0}, 1, 5);
        scan({0}, 6, 63);
        scan({1}, 1, 63);
        scan({2}, 1, 63);
    } else {
        scan({0}, 0, 0);
        scan({0}, 1, 5);
        scan({0}, 6, 63);
    }
    cinfo.scan_info = scans;
    cinfo.num_scans = n;
}

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
    ScanScript script;
    jpeg_scan_info scans[8];
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
    if (job.script == ScanScript::Progressive)
        jpeg_simple_progression(&job.cinfo);
    else if (job.script == ScanScript::Spectral)
        useSpectralScript(job.cinfo, job.scans);
    jpeg_write_coefficients(&job.cinfo, held.handles);
    jpeg_finish_compress(&job.cinfo);
    jpeg_destroy_compress(&job.cinfo);
    return true;
}

} // namespace

std::optional<std::vector<uint8_t>> writeCoefficients(const CoefficientImage& image,
                                                      ScanScript script, JpegError& error)
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
    job.script = script;
    job.held = &held;
    if (!runWrite(job)) {
        job.err.fillIn(error);
        free(job.out);
        return std::nullopt;
    }
    return takeBytes(job.out, job.outSize);
}

std::optional<std::vector<uint8_t>>
writeSmallest(const CoefficientImage& image, std::span<const ScanScript> scripts, JpegError& error)
{
    std::optional<std::vector<uint8_t>> best;
    for (const ScanScript script : scripts) {
        auto made = writeCoefficients(image, script, error);
        if (!made)
            return std::nullopt;
        if (!best || made->size() < best->size())
            best = std::move(made);
    }
    return best;
}

} // namespace brelin
