// SPDX-License-Identifier: GPL-3.0-or-later
// A JPEG's image data written again from its own coefficients: the same picture to the
// last bit, entropy-coded anew with Huffman tables made for it, as one baseline scan or as
// progressive scans. Each result is read back and its coefficients compared with the
// source's before it is offered.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brelin {

enum class ScanLayout { Baseline, Progressive };

// `jpeg`'s first image (SOI to EOI) written again with the layout asked, its APPn and COM
// segments the source's own; none, with libjpeg's reason, when libjpeg reports any error
// or warning reading or writing, or when the coefficients read back differ.
std::optional<std::vector<uint8_t>> recodeLosslessly(std::span<const uint8_t> jpeg,
                                                     ScanLayout layout, std::string& why);

// The smallest of `jpeg`'s first image as it is and recoded baseline and (when
// `progressive`) progressive; none when neither recoding is smaller, or a stream cannot be
// recoded (why says so). Whatever follows the first image's EOI is not part of the result.
std::optional<std::vector<uint8_t>> smallestLosslessRecode(std::span<const uint8_t> jpeg,
                                                           bool progressive, std::string& why);

// True when both streams decode to the same coefficients: the same size, components,
// sampling, quantisation tables and blocks. False when either cannot be read.
bool sameCoefficients(std::span<const uint8_t> a, std::span<const uint8_t> b);

} // namespace brelin
