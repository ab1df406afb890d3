// SPDX-License-Identifier: GPL-3.0-or-later
// Structural similarity of two bitmaps of one size: the mean SSIM over an 11×11 Gaussian
// window (σ 1.5), channel by channel, the windows that do not fit left out.
#pragma once

#include "scaling/Bitmap.h"

#include <optional>

// None when the sizes or channel counts differ, or the bitmaps are empty.
std::optional<double> meanSsim(const Bitmap& a, const Bitmap& b);
