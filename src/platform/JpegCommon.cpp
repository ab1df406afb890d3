// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JpegCommon.h"

#include "scaling/Bitmap.h"

#include <jerror.h>

#include <cstring>
#include <ostream>

namespace brelin {
namespace {

JpegProblem problemOf(const jpeg_error_mgr& err, bool decoding)
{
    switch (err.msg_code) {
    case JERR_NO_SOI:
    case JERR_INPUT_EMPTY:
        return JpegProblem::NotJpeg;
    case JWRN_JPEG_EOF:
    case JERR_INPUT_EOF:
        return JpegProblem::Truncated;
    case JERR_BAD_PRECISION:
        return JpegProblem::Precision;
    case JERR_SOF_UNSUPPORTED:
    case JERR_NOT_COMPILED:
    case JERR_ARITH_NOTIMPL:
        return JpegProblem::Unsupported;
    case JERR_OUT_OF_MEMORY:
        return JpegProblem::Other;
    default:
        return decoding ? JpegProblem::Damaged : JpegProblem::Other;
    }
}

} // namespace

void onJpegError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    err->problem = problemOf(err->pub, cinfo->is_decompressor);
    err->precision = err->pub.msg_code == JERR_BAD_PRECISION ? err->pub.msg_parm.i[0] : 0;
    longjmp(err->jump, 1);
}

void onJpegMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // trace messages
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    // Padding between header segments carries nothing (libjpeg skips it), and the JFIF
    // version is not read for anything: neither changes a pixel.
    const int code = err->pub.msg_code;
    if (err->inHeader && (code == JWRN_EXTRANEOUS_DATA || code == JWRN_JFIF_MAJOR))
        return;
    onJpegError(cinfo);
}

jpeg_error_mgr* installErrors(ErrorManager& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.emit_message = onJpegMessage;
    err.inHeader = false;
    err.problem = JpegProblem::None;
    err.precision = 0;
    err.message[0] = '\0';
    return &err.pub;
}

void failJpeg(ErrorManager& err, JpegProblem problem, const char* message)
{
    err.problem = problem;
    std::snprintf(err.message, sizeof err.message, "%s", message);
    longjmp(err.jump, 1);
}

void openDecompress(jpeg_decompress_struct& cinfo, ErrorManager& err,
                    std::span<const uint8_t> bytes)
{
    cinfo.err = installErrors(err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    err.inHeader = true;
    jpeg_read_header(&cinfo, TRUE);
    err.inHeader = false;
    if (uint64_t(cinfo.image_width) * cinfo.image_height > kMaxPixels)
        failJpeg(err, JpegProblem::TooLarge, "the image has more than 2^28 pixels");
}

std::ostream& operator<<(std::ostream& out, const JpegError& error)
{
    return out << error.message;
}

} // namespace brelin
