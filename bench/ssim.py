#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Mean luma SSIM (Gaussian window 11x11, sigma 1.5) of each output against ImageMagick's
float Lanczos at the output's own size, and the bytes of image data (from the first SOS
on, markers left out). Usage: ssim.py SOURCE_DIR OUTPUT_DIR [keep]
With "keep" the reference is the decoded source itself."""
import os
import subprocess
import sys
import tempfile

import numpy as np
from scipy.ndimage import gaussian_filter


def read_pnm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, i = [], 0
    while len(fields) < 4:
        while data[i:i + 1].isspace():
            i += 1
        if data[i:i + 1] == b"#":
            i = data.index(b"\n", i) + 1
            continue
        j = i
        while not data[j:j + 1].isspace():
            j += 1
        fields.append(data[i:j])
        i = j
    i += 1
    w, h, maxval = int(fields[1]), int(fields[2]), int(fields[3])
    channels = 3 if fields[0] == b"P6" else 1
    dtype = ">u2" if maxval > 255 else "u1"
    a = np.frombuffer(data[i:], dtype=dtype, count=w * h * channels).astype(np.float64)
    a = a.reshape(h, w, channels) * (255.0 / maxval)
    return a


def luma(a):
    if a.shape[2] == 1:
        return a[:, :, 0]
    return 0.299 * a[:, :, 0] + 0.587 * a[:, :, 1] + 0.114 * a[:, :, 2]


def ssim(x, y):
    c1, c2 = (0.01 * 255) ** 2, (0.03 * 255) ** 2
    blur = lambda z: gaussian_filter(z, 1.5, truncate=5 / 1.5)
    mx, my = blur(x), blur(y)
    sxx, syy, sxy = blur(x * x) - mx * mx, blur(y * y) - my * my, blur(x * y) - mx * my
    m = ((2 * mx * my + c1) * (2 * sxy + c2)) / ((mx * mx + my * my + c1) * (sxx + syy + c2))
    return m[5:-5, 5:-5].mean()


def image_bytes(path):
    data = open(path, "rb").read()
    i = 2
    while i + 4 <= len(data) and data[i] == 0xFF and data[i + 1] != 0xDA:
        i += 2 + (data[i + 2] << 8 | data[i + 3])
    return len(data) - i


def main():
    src_dir, out_dir = sys.argv[1], sys.argv[2]
    keep = len(sys.argv) > 3 and sys.argv[3] == "keep"
    scores, total = [], 0
    with tempfile.TemporaryDirectory() as tmp:
        for name in sorted(os.listdir(out_dir)):
            out = os.path.join(out_dir, name)
            src = os.path.join(src_dir, name)
            if not os.path.exists(src):
                continue
            got = os.path.join(tmp, "got.ppm")
            subprocess.run(["convert", "-quiet", out, "-depth", "8", got], check=True)
            g = read_pnm(got)
            ref = os.path.join(tmp, "ref.ppm")
            h, w = g.shape[0], g.shape[1]
            args = ["convert", "-quiet", src]
            if not keep:
                args += ["-filter", "Lanczos", "-define", "filter:blur=1", "-resize", f"{w}x{h}!"]
            subprocess.run(args + ["-depth", "16", ref], check=True)
            r = read_pnm(ref)
            scores.append(ssim(luma(g), luma(r)))
            total += image_bytes(out)
    print(f"{len(scores)} files, mean SSIM {np.mean(scores):.4f}, image bytes {total}")


if __name__ == "__main__":
    main()
