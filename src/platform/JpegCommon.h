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
// every coefficient (0.9882 fell to 0.9863). Chroma keeps the standard table: the luma
// table for chroma too, at 1.5 and 2.5 times its scale, gave 6.2 % fewer and 19.8 % more
// bytes than libjpeg-turbo at the same butteraugli distance, the standard one 8.8 % fewer
// (bench/encode-compare.sh, six photos). With Brelin's quantiser, the luma table at its
// full scale for chroma, as mozjpeg has it, took 16.1 % off at the same distance but only
// 6.2 % at the same luma SSIM (chroma lambda 0.07; 0.1: 13.9 % and 6.9 %), against 9.7 %
// and 8.2 % with the standard one: the butteraugli gain is all in three of the six
// photos, the ones with saturated colour edges. Over the corpus's first eight photos
// (the script's default; standard table 8.7 % and 8.4 %, mozjpeg 21.2 % and 5.1 %), the
// gain lies in the middle frequencies: the luma table's steps for the first six zigzag
// positions and the standard ones beyond gave 7.5 % and 7.5 %, the standard steps for the
// first six and the luma table's beyond 18.0 % and 5.3 % (the luma table throughout: 17.5 %
// and 4.4 %; at 1.2 times its scale 14.9 % and 6.8 %). libjpeg's own encoder, which writes
// the gain maps and RGB-coded images at their own size, writes baseline; Brelin's writes
// progressive scans.
inline void chooseEncoding(jpeg_compress_struct& cinfo, int quality, bool resampled)
{
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (resampled)
        jpeg_add_quant_table(&cinfo, 0, kLumaTable, jpeg_quality_scaling(quality) * 33 / 40, TRUE);
    cinfo.optimize_coding = TRUE;
    cinfo.dct_method = JDCT_ISLOW;
}

} // namespace brelin
