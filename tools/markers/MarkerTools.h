// SPDX-License-Identifier: GPL-3.0-or-later
// The work of rdjpgcom and wrjpgcom, apart from their command lines, so that tests
// and fuzzers can drive it in memory.
//
// rdjpgcom -raw APPn FILE   every APPn segment of FILE, verbatim, in file order; for APP2,
//                           the HDR gain map's own segments (MPF, ISO 21496-1) excepted
// rdjpgcom FILE             the bytes of every comment, one after another
// wrjpgcom -appn PAYLOAD    the stream with its APPn segments replaced by PAYLOAD's
// wrjpgcom -cfile PAYLOAD   the stream with its comments replaced by PAYLOAD's bytes
#pragma once

#include "markers/ByteIO.h"

#include <optional>
#include <span>
#include <string>

namespace markers {

struct Result
{
    bool ok = true;
    std::string message; // one line, without the program's name, when !ok
};

// The marker code of "APP0".."APP15" (any case), or none.
std::optional<uint8_t> appMarkerNamed(const std::string& name);

Result readAppSegments(Reader& jpeg, uint8_t marker, Writer& out);
Result readComments(Reader& jpeg, Writer& out);

// PAYLOAD must be a sequence of whole segments of `marker`; empty removes the kind.
// The new segments stand where the first old one stood or, when there was none, in
// the canonical order of the leading APP segments.
Result replaceAppSegments(Reader& jpeg, uint8_t marker, std::span<const uint8_t> payload,
                          Writer& out);
// The payload's bytes become the comment, split into segments of at most 65533 bytes,
// placed after the APP segments; empty removes every comment.
Result replaceComments(Reader& jpeg, std::span<const uint8_t> payload, Writer& out);

// Checks that `jpeg` is one whole JPEG stream: SOI, sound segments, image data and
// the EOI marker (anything after EOI is allowed).
Result checkStream(std::span<const uint8_t> jpeg);

} // namespace markers
