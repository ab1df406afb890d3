#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Pillow doing Brelin's jobs on a folder in one process, quality 80, outputs named after
their sources. fit1920: draft (the largest DCT shrink that keeps the target size, the
fastest way Pillow offers) then Lanczos; half: Lanczos on the whole image.
Usage: pillow_job.py fit1920|half OUTDIR FILE..."""
import math
import os
import sys

from PIL import Image


def target(w, h, job):
    if job == "half":
        return w // 2, h // 2
    longer = max(w, h)
    f = round(longer * (1920 / longer)) / longer
    return math.floor(w * f), math.floor(h * f)


def main():
    job, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    for path in sys.argv[3:]:
        im = Image.open(path)
        w, h = target(im.width, im.height, job)
        if job == "fit1920":
            im.draft("RGB", (w, h))
        im = im.convert("RGB").resize((w, h), Image.LANCZOS)
        im.save(os.path.join(out, os.path.basename(path)), quality=80)


if __name__ == "__main__":
    main()
