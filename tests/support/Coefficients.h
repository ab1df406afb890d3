// SPDX-License-Identifier: GPL-3.0-or-later
// What a JPEG decoder reads before the inverse transform, for tests that check a rewrite
// kept the picture to the last bit: written without the engine's own code.
#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

namespace brelin::test {

// Pixel size, each component's id, sampling and quantisation table, then every block's
// coefficients, in one list; none when libjpeg cannot read the stream without a warning.
std::optional<std::vector<int>> coefficientsOf(const QByteArray& jpeg);

} // namespace brelin::test
