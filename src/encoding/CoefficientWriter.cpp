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

struct WriteJob
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    const CoefficientImage* image;
    ScanScript script;
    jpeg_scan_info scans[8];
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
    jvirt_barray_ptr arrays[3];
    for (int c = 0; c < image.components; ++c) {
        jpeg_component_info& comp = job.cinfo.comp_info[c];
        const int sampling = image.components == 3 && c == 0 ? 2 : 1;
        comp.h_samp_factor = comp.v_samp_factor = sampling;
        comp.quant_tbl_no = image.planes[c].table;
        // Whole MCUs, zeroed: libjpeg writes dummies of its own for the blocks past the
        // image, but reads the rows that hold them.
        const auto roundUp = [&](int blocks) {
            return JDIMENSION((blocks + sampling - 1) / sampling * sampling);
        };
        arrays[c] = (*job.cinfo.mem->request_virt_barray)(
            reinterpret_cast<j_common_ptr>(&job.cinfo), JPOOL_IMAGE, TRUE,
            roundUp(image.planes[c].widthInBlocks), roundUp(image.planes[c].heightInBlocks),
            JDIMENSION(sampling));
    }
    job.cinfo.optimize_coding = TRUE;
    if (job.script == ScanScript::Progressive)
        jpeg_simple_progression(&job.cinfo);
    else if (job.script == ScanScript::Spectral)
        useSpectralScript(job.cinfo, job.scans);
    jpeg_write_coefficients(&job.cinfo, arrays);
    for (int c = 0; c < image.components; ++c) {
        const CoefficientPlane& plane = image.planes[c];
        const size_t rowBytes = size_t(plane.widthInBlocks) * sizeof(JBLOCK);
        for (int by = 0; by < plane.heightInBlocks; ++by) {
            JBLOCKARRAY row = (*job.cinfo.mem->access_virt_barray)(
                reinterpret_cast<j_common_ptr>(&job.cinfo), arrays[c], JDIMENSION(by), 1, TRUE);
            std::memcpy(row[0], plane.block(0, by), rowBytes);
        }
    }
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
    WriteJob job{};
    job.image = &image;
    job.script = script;
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
