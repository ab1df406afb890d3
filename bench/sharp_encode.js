// SPDX-License-Identifier: GPL-3.0-or-later
// sharp (libvips with mozjpeg) encoding one lossless reference at a quality with
// `mozjpeg: true`: trellis quantisation, optimised progressive scans, its tuned tables.
// Usage: node sharp_encode.js REF.png QUALITY OUT.jpg
const sharp = require("sharp");

const [ref, quality, out] = process.argv.slice(2);
sharp(ref)
  .jpeg({ quality: Number(quality), mozjpeg: true })
  .toFile(out)
  .catch((e) => {
    console.error(e.message);
    process.exit(1);
  });
