#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Rate and distortion of JPEG encoders on the same pixels. Each photo is fitted into 1920
pixels once as a lossless reference (vips thumbnail, colour profile stripped); every
encoder encodes that reference at each quality; each result is judged against it with
butteraugli (Debian's) and mean luma SSIM; the Bjontegaard rate difference of each encoder
against libjpeg-turbo gives the bytes it saves at the same distance, per photo, with mean
and median.
Usage: encode_compare.py WORKDIR BRELIN_BENCH_ENCODE SHARP_JOB_DIR PHOTO...
Environment: QUALITIES (default "55 70 80 88 94"), ENCODERS (a subset of the names below),
TAG (a name for this run's Brelin results, so that several settings can be compared).
Results are kept in WORKDIR/judged.json and not made again: the peers' always, Brelin's
when TAG names them."""
import json
import concurrent.futures
import os
import subprocess
import sys

import numpy as np
from scipy.ndimage import gaussian_filter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ssim import read_pnm, luma  # noqa: E402

QUALITIES = [int(q) for q in os.environ.get("QUALITIES", "55 70 80 88 94").split()]


def run(args, **kw):
    return subprocess.run(args, check=True, capture_output=True, **kw)


def encoders(bench, sharp_dir):
    return {
        "libjpeg-turbo": lambda ref, q, out: run(
            ["sh", "-c", f'cjpeg -optimize -quality {q} "{ref}.ppm" > "{out}"']),
        "mozjpeg": lambda ref, q, out: run(
            ["node", os.path.join(sharp_dir, "sharp_encode.js"), ref + ".png", str(q), out],
            cwd=sharp_dir),
        "brelin-before": lambda ref, q, out: run([bench, "--libjpeg", ref + ".png", str(q), out]),
        "brelin": lambda ref, q, out: run([bench, ref + ".png", str(q), out]),
    }


def ssim(a, b):
    # Gaussian window 11x11, sigma 1.5, as bench/ssim.py.
    c1, c2 = (0.01 * 255) ** 2, (0.03 * 255) ** 2
    f = lambda x: gaussian_filter(x, 1.5, truncate=3.5)
    ma, mb = f(a), f(b)
    va, vb, cov = f(a * a) - ma * ma, f(b * b) - mb * mb, f(a * b) - ma * mb
    s = ((2 * ma * mb + c1) * (2 * cov + c2)) / ((ma * ma + mb * mb + c1) * (va + vb + c2))
    return float(s.mean())


def judge(ref, out):
    ppm = out + ".ppm"
    run(["sh", "-c", f'djpeg "{out}" > "{ppm}"'])
    s = ssim(luma(read_pnm(ref + ".ppm")), luma(read_pnm(ppm)))
    b = float(run(["butteraugli", ref + ".png", out]).stdout.split()[0])
    os.remove(ppm)
    return os.path.getsize(out), b, s


def bd_rate(rate_a, dist_a, rate_b, dist_b):
    """Mean log-rate difference of B against A over the distances both reach, as a
    percentage; distances are 'higher is better' here."""
    lo, hi = max(min(dist_a), min(dist_b)), min(max(dist_a), max(dist_b))
    if lo >= hi:
        return float("nan")
    deg = min(3, len(rate_a) - 1)
    pa = np.polyint(np.polyfit(dist_a, np.log(rate_a), deg))
    pb = np.polyint(np.polyfit(dist_b, np.log(rate_b), deg))
    ia = np.polyval(pa, hi) - np.polyval(pa, lo)
    ib = np.polyval(pb, hi) - np.polyval(pb, lo)
    return (np.exp((ib - ia) / (hi - lo)) - 1) * 100


def main():
    work, bench, sharp_dir, photos = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    os.makedirs(work, exist_ok=True)
    table = encoders(bench, sharp_dir)
    names = [n for n in table if n in os.environ.get("ENCODERS", " ".join(table)).split()]
    refs = []
    for photo in photos:
        ref = os.path.join(work, os.path.splitext(os.path.basename(photo))[0])
        if not os.path.exists(ref + ".png"):
            run(["vips", "thumbnail", photo, ref + ".png[strip]", "1920", "--size", "down"])
            run(["vips", "copy", ref + ".png", ref + ".ppm"])
        refs.append(ref)
    cache_path = os.path.join(work, "judged.json")
    cache = json.load(open(cache_path)) if os.path.exists(cache_path) else {}
    tag = os.environ.get("TAG", "")
    jobs, results = {}, {}
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        for ref in refs:
            for name in names:
                for q in QUALITIES:
                    mine = name.startswith("brelin") and name != "brelin-before"
                    out = f"{ref}.{name}{tag if mine else ''}.q{q}.jpg"
                    # Brelin's own results are judged again unless a TAG names them.
                    if (tag or not mine) and out in cache:
                        results[(ref, name, q)] = tuple(cache[out])
                        continue
                    table[name](ref, q, out)
                    jobs[(ref, name, q)] = (out, pool.submit(judge, ref, out))
        for k, (out, f) in jobs.items():
            results[k] = f.result()
            cache[out] = results[k]
    json.dump(cache, open(cache_path, "w"))
    print("encoder        quality  bytes(sum)  butteraugli(mean)  ssim(mean)")
    for name in names:
        for q in QUALITIES:
            rows = [results[(ref, name, q)] for ref in refs]
            print(f"{name:14} {q:7d} {sum(r[0] for r in rows):11d} "
                  f"{np.mean([r[1] for r in rows]):18.4f} {np.mean([r[2] for r in rows]):11.5f}")
    print()
    print("BD-rate against libjpeg-turbo (negative: fewer bytes at the same distance)")
    print(f"{'encoder':14} {'butteraugli mean':>17} {'median':>8} {'SSIM mean':>10} {'median':>8}")
    per_photo = {}
    for name in names:
        if name == "libjpeg-turbo":
            continue
        ba, ss = [], []
        for ref in refs:
            base = [results[(ref, "libjpeg-turbo", q)] for q in QUALITIES]
            this = [results[(ref, name, q)] for q in QUALITIES]
            rate = lambda rows: [r[0] for r in rows]
            ba.append(bd_rate(rate(base), [-r[1] for r in base], rate(this), [-r[1] for r in this]))
            ss.append(bd_rate(rate(base), [-np.log10(1 - r[2]) for r in base], rate(this),
                              [-np.log10(1 - r[2]) for r in this]))
            per_photo.setdefault(os.path.basename(ref), {})[name] = (ba[-1], ss[-1])
        print(f"{name:14} {np.nanmean(ba):16.1f}% {np.nanmedian(ba):7.1f}% "
              f"{np.nanmean(ss):9.1f}% {np.nanmedian(ss):7.1f}%")
    print()
    print("per photo (butteraugli / SSIM):")
    for photo, row in per_photo.items():
        print(f"  {photo:40} " + "  ".join(f"{n} {b:+.1f}/{s:+.1f}" for n, (b, s) in row.items()))


if __name__ == "__main__":
    main()
