// SPDX-License-Identifier: GPL-3.0-or-later
// Progressive scan scripts chosen per image. Each scan of a progressive JPEG is coded on
// its own, with Huffman tables made for it alone, so its bytes depend only on the scan and
// the coefficients: the scans of a few probe scripts are counted (ScanCoder), or written
// and measured, and the cheapest way of sending the DC and each component's AC makes
// one stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <vector>

#include <jpeglib.h>

namespace brelin {

// One scan as libjpeg's scan_info holds it.
struct Scan
{
    int count = 1; // components in the scan
    int components[3] = {};
    int ss = 0, se = 0, ah = 0, al = 0;
};

// A valid script cut into parts: the DC scans, then each component's AC scans. partEnds[p]
// is the index just past part p's last scan.
struct ProbeScript
{
    std::vector<Scan> scans;
    std::vector<size_t> partEnds;
};

// The probes for an image of `components` (1 or 3; none for others). The first alone is
// the script that did best over the benchmark's photos.
std::vector<ProbeScript> probeScripts(int components);

// libjpeg's form of a script.
std::vector<jpeg_scan_info> scanInfoOf(const std::vector<Scan>& scans);

// The stream whose every part is the smallest among `written`, the streams the probes of
// `scripts` gave in that order; none when one of them is not what the script writes (then
// the caller keeps the first).
std::optional<std::vector<uint8_t>> spliceSmallest(std::span<const std::vector<uint8_t>> written,
                                                   std::span<const ProbeScript> scripts);

} // namespace brelin
