// SPDX-License-Identifier: GPL-3.0-or-later
// What every libjpeg object of ours shares: the error manager, which records errors and
// warnings and jumps back to the caller's setjmp so that libjpeg never exits (nothing with
// a destructor may live in the frames between), the decoders' set-up, and the encoder's
// choices.
#pragma once

#include "platform/JpegError.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include <jpeglib.h>

namespace brelin {

struct ErrorManager
{
    jpeg_error_mgr pub;
    jmp_buf jump;
    bool inHeader; // reading the segments before the first scan
    JpegProblem problem;
    int precision;
    char message[JMSG_LENGTH_MAX];

    void fillIn(JpegError& error) const
    {
        error.problem = problem;
        error.precision = precision;
        error.message = message;
    }
};

// Records libjpeg's reason and jumps back. Every error ends here, and so does every
// warning but the header's harmless ones: a warning inside the image data means corrupt
// data, which would give a partly grey image.
[[noreturn]] void onJpegError(j_common_ptr cinfo);
void onJpegMessage(j_common_ptr cinfo, int level);

// Our error manager in place of libjpeg's exits; returns it for cinfo.err.
jpeg_error_mgr* installErrors(ErrorManager& err);

// Fails the current libjpeg call with a reason of ours, through the same jump.
[[noreturn]] void failJpeg(ErrorManager& err, JpegProblem problem, const char* message);

// The one set-up of every decoder: our error manager, the bytes as the source, the header
// read with its rules (stray bytes between segments pass, as in every viewer), and the
// size limit, checked before anything is allocated for the pixels. Call it after
// setjmp(err.jump), and destroy the decompressor after a jump.
void openDecompress(jpeg_decompress_struct& cinfo, ErrorManager& err,
                    std::span<const uint8_t> bytes);

// The bytes that jpeg_mem_dest gathered, in our own buffer; libjpeg's is freed.
inline std::vector<uint8_t> takeBytes(unsigned char*& buffer, unsigned long length)
{
    std::vector<uint8_t> bytes(buffer, buffer + length);
    free(buffer);
    buffer = nullptr;
    return bytes;
}

// The luma quantisation table of Klein, Silverstein and Carney ("Relevance of human vision
// to JPEG-DCT compression", 1992), as tuned by N. Robidoux for ImageMagick: coarser than
// the standard table where the eye is least sensitive.
// clang-format off
inline constexpr unsigned int kLumaTable[DCTSIZE2] = {
    16, 16,  16,  18,  25,  37,  56,  85,
    16, 17,  20,  27,  34,  40,  53,  75,
    16, 20,  24,  31,  43,  62,  91, 135,
    18, 27,  31,  40,  53,  74, 106, 156,
    25, 34,  43,  53,  69,  94, 131, 189,
    37, 40,  62,  74,  94, 124, 169, 238,
    56, 53,  91, 106, 131, 169, 226, 311,
    85, 75, 135, 156, 189, 238, 311, 418,
};
// clang-format on

// Settings that make files small at a given quality, after jpeg_set_defaults and the
// colour space. Measured on the benchmark corpus at quality 80 against the standard tables
// with standard Huffman codes: optimised Huffman tables take 6 % off. For a resampled
// image the luma table above at 82.5 % of the standard table's scale (33 % at quality 80)
// takes 2.5 % more while the luma SSIM rises (scaled to 1920 pixels: 0.9777 to 0.9781; at
// 50, 90 and 95 the same SSIM within 0.0013, with 4 % fewer bytes at 50 and 90). An image
// re-encoded at its own size keeps the standard table: its blocks are the source's, most
// often quantised with that table already, and another table's steps add new errors to
// every coefficient (0.9882 fell to 0.9863). Chroma keeps the standard table here, for
// libjpeg's own encoder (gain maps); for resampled images Brelin's encoder makes luma's
// lowest AC coarser and chroma finer in the middle frequencies (encoding/EncodingTables.cpp,
// with the figures that chose them: the luma table throughout for chroma gave more on
// butteraugli but too little on SSIM).
// libjpeg's own encoder writes baseline; Brelin's writes progressive scans.
inline void chooseEncoding(jpeg_compress_struct& cinfo, int quality, bool resampled)
{
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (resampled)
        jpeg_add_quant_table(&cinfo, 0, kLumaTable, jpeg_quality_scaling(quality) * 33 / 40, TRUE);
    cinfo.optimize_coding = TRUE;
    cinfo.dct_method = JDCT_ISLOW;
}

} // namespace brelin
