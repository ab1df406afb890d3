// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/EncodingTables.h"

#include "platform/JpegCommon.h"

namespace brelin {
namespace {

struct TableJob
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
};

bool runTables(TableJob& job, int quality, bool resampled, uint16_t (&luma)[64],
               uint16_t (&chroma)[64])
{
    job.cinfo.err = installErrors(job.err);
    if (setjmp(job.err.jump)) {
        jpeg_destroy_compress(&job.cinfo);
        return false;
    }
    jpeg_create_compress(&job.cinfo);
    job.cinfo.in_color_space = JCS_YCbCr;
    job.cinfo.input_components = 3;
    jpeg_set_defaults(&job.cinfo);
    chooseEncoding(job.cinfo, quality, resampled);
    for (int k = 0; k < 64; ++k) {
        luma[k] = job.cinfo.quant_tbl_ptrs[0]->quantval[k];
        chroma[k] = job.cinfo.quant_tbl_ptrs[1]->quantval[k];
    }
    jpeg_destroy_compress(&job.cinfo);
    return true;
}

} // namespace

bool encodingTables(int quality, bool resampled, uint16_t (&luma)[64], uint16_t (&chroma)[64])
{
    TableJob job{};
    return runTables(job, quality, resampled, luma, chroma);
}

} // namespace brelin
