// SPDX-License-Identifier: GPL-3.0-or-later
// Why libjpeg gave up on a stream, sorted into the kinds a user is told apart, with
// libjpeg's own words for the log.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace brelin {

enum class JpegProblem {
    None,
    NotJpeg,     // does not start as a JPEG stream
    Truncated,   // ends before its image data do
    Damaged,     // a table or the image data make no sense
    Precision,   // 12- or 16-bit samples: libjpeg here reads 8-bit ones only
    Unsupported, // a coding process libjpeg here does not implement
    TooLarge,    // more than kMaxPixels
    OverSize,    // not written: surely larger than a size target's probe allows
    Other,       // the encoder, memory, a plane layout we do not decode
};

struct JpegError
{
    JpegProblem problem = JpegProblem::None;
    int precision = 0;  // the sample bits, for Precision
    size_t atLeast = 0; // the bytes the stream would have taken at the least, for OverSize
    std::string message;

    void set(JpegProblem p, std::string text)
    {
        problem = p;
        message = std::move(text);
    }
};

std::ostream& operator<<(std::ostream& out, const JpegError& error);

} // namespace brelin
