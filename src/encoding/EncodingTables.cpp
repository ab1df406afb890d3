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

// Code lengths from a Huffman table as JPEG stores it: bits[n] codes of n bits, their
// symbols in huffval in that order.
void rateOf(const JHUFF_TBL& table, RateModel& rate)
{
    int next = 0;
    for (int length = 1; length <= 16; ++length)
        for (int k = 0; k < table.bits[length]; ++k)
            rate.bits[table.huffval[next++]] = uint8_t(length);
}

bool runTables(TableJob& job, int quality, bool resampled, TableSet& tables)
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
    for (int t = 0; t < 2; ++t) {
        for (int k = 0; k < 64; ++k)
            tables.steps[t][k] = job.cinfo.quant_tbl_ptrs[t]->quantval[k];
        rateOf(*job.cinfo.ac_huff_tbl_ptrs[t], tables.rate[t]);
    }
    jpeg_destroy_compress(&job.cinfo);
    return true;
}

} // namespace

bool encodingTables(int quality, bool resampled, TableSet& tables)
{
    TableJob job{};
    return runTables(job, quality, resampled, tables);
}

} // namespace brelin
