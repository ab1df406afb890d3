// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Coefficients.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace brelin::test {
namespace {

struct Failure
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void fail(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<Failure*>(cinfo->err)->jump, 1);
}

void failOnWarning(j_common_ptr cinfo, int level)
{
    if (level < 0)
        fail(cinfo);
}

} // namespace

std::optional<std::vector<int>> coefficientsOf(const QByteArray& jpeg)
{
    jpeg_decompress_struct cinfo{};
    Failure err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = fail;
    err.pub.emit_message = failOnWarning;
    // Only plain values live across the jump.
    static thread_local std::vector<int> out;
    out.clear();
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return std::nullopt;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&cinfo);
    out.push_back(int(cinfo.image_width));
    out.push_back(int(cinfo.image_height));
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& comp = cinfo.comp_info[c];
        out.push_back(comp.component_id);
        out.push_back(comp.h_samp_factor);
        out.push_back(comp.v_samp_factor);
        const JQUANT_TBL* table = cinfo.quant_tbl_ptrs[comp.quant_tbl_no];
        for (int k = 0; k < DCTSIZE2; ++k)
            out.push_back(table ? table->quantval[k] : -1);
        for (JDIMENSION row = 0; row < comp.height_in_blocks; ++row) {
            JBLOCKARRAY blocks = (*cinfo.mem->access_virt_barray)(
                reinterpret_cast<j_common_ptr>(&cinfo), arrays[c], row, 1, FALSE);
            for (JDIMENSION col = 0; col < comp.width_in_blocks; ++col)
                out.insert(out.end(), blocks[0][col], blocks[0][col] + DCTSIZE2);
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

} // namespace brelin::test
