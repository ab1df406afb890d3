// SPDX-License-Identifier: GPL-3.0-or-later
// sharp doing Brelin's jobs as it is normally used: one Node process, every file handed
// to it at once, its default concurrency, quality 80, Lanczos 3, the metadata kept.
// Usage: node sharp_job.js fit1920|half|keep[-mozjpeg] OUTDIR FILE...
// With -mozjpeg, sharp's mozjpeg encoder (`mozjpeg: true`: trellis quantisation,
// optimised progressive scans, its own tables).
const path = require("path");
const sharp = require("sharp");

const [jobArg, out, ...files] = process.argv.slice(2);
const mozjpeg = jobArg.endsWith("-mozjpeg");
const job = mozjpeg ? jobArg.slice(0, -"-mozjpeg".length) : jobArg;
Promise.all(
  files.map(async (file) => {
    let image = sharp(file).keepMetadata();
    if (job === "fit1920") {
      image = image.resize(1920, 1920, { fit: "inside", kernel: "lanczos3" });
    } else if (job === "half") {
      const { width, height } = await sharp(file).metadata();
      image = image.resize(Math.floor(width / 2), Math.floor(height / 2), { kernel: "lanczos3" });
    }
    await image.jpeg({ quality: 80, mozjpeg }).toFile(path.join(out, path.basename(file)));
  })
).catch((e) => {
  console.error(e.message);
  process.exit(1);
});
