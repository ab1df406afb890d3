#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the test images that are the project's own: a drawn picture written as JPEG by
cjpeg, its tags written by exiftool, and damage made by plain byte surgery.

The output is committed (tests/data/photos/...), so that the tests read the same bytes
whatever ImageMagick or exiftool a machine has. Run it again after changing it:

    tests/data/make-images.py            # writes into tests/data/photos
    tests/data/make-images.py OUT_DIR    # writes elsewhere, to compare

Needs ImageMagick (convert), libjpeg-turbo's tools (cjpeg, jpegtran) and exiftool.
"""

import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def run(*args, stdin=None):
    return subprocess.run(args, input=stdin, check=True, stdout=subprocess.PIPE).stdout


def draw(path, width, height, seed):
    """A photo-like picture that shows which way is up and which side is left: a seeded
    plasma (smooth areas and fine detail), a dark bar along the top, a disc at the left
    and a letter F, which no turn or mirror maps onto itself."""
    run("convert", "-size", f"{width}x{height}", "-seed", str(seed), "plasma:gold-steelblue",
        "-blur", "0x0.6",
        "-fill", "#202040", "-draw", f"rectangle 0,0 {width - 1},{height // 10}",
        "-fill", "#c01c28", "-draw",
        f"circle {width // 6},{height // 2} {width // 6 + min(width, height) // 8},{height // 2}",
        "-fill", "white", "-stroke", "black", "-strokewidth", "3",
        "-draw", f"rectangle {width // 2},{height // 4} {width // 2 + width // 16},{height * 3 // 4}",
        "-draw", f"rectangle {width // 2},{height // 4} {width // 2 + width // 4},{height // 4 + height // 14}",
        "-draw", f"rectangle {width // 2},{height // 2 - height // 28} "
                 f"{width // 2 + width // 6},{height // 2 + height // 28}",
        "-depth", "8", f"ppm:{path}")


def encode(ppm, out, quality=90, extra=()):
    run("cjpeg", "-quality", str(quality), "-sample", "2x2", "-optimize", *extra,
        "-outfile", out, ppm)


def exiftool(path, *tags):
    run("exiftool", "-q", "-overwrite_original", *tags, path)


def camera_tags(model):
    return ["-EXIF:Make=Brelin test data", f"-EXIF:Model={model}",
            "-EXIF:DateTimeOriginal=2026:06:21 12:00:00", "-EXIF:ExposureTime=1/250",
            "-EXIF:FNumber=5.6", "-EXIF:ISO=200", "-EXIF:FocalLength=35",
            "-EXIF:Artist=The Brelin developers", "-EXIF:Copyright=GPL-3.0-or-later"]


def thumbnail_of(ppm, tmp):
    thumb = os.path.join(tmp, "thumb.jpg")
    run("convert", ppm, "-thumbnail", "160x160", "-quality", "75", thumb)
    return thumb


# Each orientation's stored pixels: the upright picture turned by the inverse of what the
# tag asks a viewer to do.
STORED = {1: [], 2: ["-flop"], 3: ["-rotate", "180"], 4: ["-flip"], 5: ["-transpose"],
          6: ["-rotate", "270"], 7: ["-transverse"], 8: ["-rotate", "90"]}


def orientation_set(out, tmp):
    os.makedirs(os.path.join(out, "orientation"), exist_ok=True)
    for shape, (w, h), seed in (("landscape", (600, 450), 11), ("portrait", (450, 600), 12)):
        upright = os.path.join(tmp, f"{shape}.ppm")
        draw(upright, w, h, seed)
        for n, ops in STORED.items():
            stored = os.path.join(tmp, f"{shape}_{n}.ppm")
            run("convert", upright, *ops, stored)
            jpg = os.path.join(out, "orientation", f"{shape}_{n}.jpg")
            encode(stored, jpg)
            exiftool(jpg, *camera_tags("Orientation"), f"-EXIF:Orientation#={n}",
                     "-EXIF:XResolution=72", "-EXIF:YResolution=72", "-EXIF:ResolutionUnit=inches")


def icc_profile():
    """A small ICC v2 RGB display profile of the project's own (sRGB primaries, gamma 2.2)."""
    def s15(v):
        return struct.pack(">i", round(v * 65536))

    def xyz(x, y, z):
        return b"XYZ \0\0\0\0" + s15(x) + s15(y) + s15(z)

    def text_desc(text):
        t = text.encode("ascii") + b"\0"
        return (b"desc\0\0\0\0" + struct.pack(">I", len(t)) + t + b"\0" * 12 + b"\0" * 67)

    curve = b"curv\0\0\0\0" + struct.pack(">IH", 1, 0x0233) + b"\0\0"
    tags = [
        (b"desc", text_desc("Brelin test RGB")),
        (b"cprt", b"text\0\0\0\0" + b"GPL-3.0-or-later, the Brelin developers\0"),
        (b"wtpt", xyz(0.9642, 1.0, 0.8249)),
        (b"rXYZ", xyz(0.4361, 0.2225, 0.0139)),
        (b"gXYZ", xyz(0.3851, 0.7169, 0.0971)),
        (b"bXYZ", xyz(0.1431, 0.0606, 0.7141)),
        (b"rTRC", curve), (b"gTRC", curve), (b"bTRC", curve),
    ]
    table_size = 4 + 12 * len(tags)
    offset = 128 + table_size
    table, data = struct.pack(">I", len(tags)), b""
    for sig, body in tags:
        while (offset + len(data)) % 4:
            data += b"\0"
        table += sig + struct.pack(">II", offset + len(data), len(body))
        data += body
    size = 128 + table_size + len(data)
    header = (struct.pack(">I", size) + b"none" + bytes([2, 0x10, 0, 0]) + b"mntrRGB XYZ " +
              struct.pack(">6H", 2026, 1, 1, 0, 0, 0) + b"acsp" + b"\0" * 4 + b"\0" * 4 +
              b"\0" * 8 + b"\0" * 8 + b"\0" * 4 + s15(0.9642) + s15(1.0) + s15(0.8249) +
              b"\0" * 4)
    header += b"\0" * (128 - len(header))
    return header + table + data


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload


def insert_after_app0(jpeg, segments):
    """The segments placed after the APP0 at the head of a cjpeg file."""
    assert jpeg[:4] == b"\xff\xd8\xff\xe0"
    end = 4 + struct.unpack(">H", jpeg[4:6])[0]
    return jpeg[:end] + b"".join(segments) + jpeg[end:]


def metadata_set(out, tmp):
    """Every kind a user may remove, in one photo; and one with XMP and IPTC but no EXIF."""
    os.makedirs(os.path.join(out, "xmp"), exist_ok=True)
    ppm = os.path.join(tmp, "blue.ppm")
    run("convert", "-size", "360x216", "xc:#1f4e9c", "-fill", "#7fb2ff",
        "-draw", "rectangle 60,40 300,176", "-seed", "3", "(", "-size", "360x216",
        "plasma:grey50-grey60", ")", "-compose", "overlay", "-composite", "-depth", "8",
        f"ppm:{ppm}")
    icc = os.path.join(tmp, "test.icc")
    with open(icc, "wb") as f:
        f.write(icc_profile())
    every = os.path.join(out, "xmp", "every_kind.jpg")
    encode(ppm, every)
    exiftool(every, *camera_tags("Every kind"), "-EXIF:Orientation#=1",
             f"-ThumbnailImage<={thumbnail_of(ppm, tmp)}",
             "-IPTC:Keywords=Brelin", "-IPTC:Keywords=test", "-IPTC:City=Nowhere",
             "-XMP-dc:Title=A blue square", "-XMP-dc:Description=Test data of the Brelin project",
             "-XMP-dc:Subject=test", "-XMP-xmp:CreatorTool=make-images.py",
             f"-ICC_Profile<={icc}", "-Comment=A photo with every kind of metadata",
             "-Ducky:Quality=90")
    with open(every, "rb") as f:
        jpeg = f.read()
    # Photoshop's APP14 for a YCbCr image (transform 1), which exiftool does not write.
    adobe = segment(0xEE, b"Adobe" + struct.pack(">HHHB", 100, 0, 0, 1))
    at = 2
    while jpeg[at + 1] != 0xDB:  # walked segment by segment: payloads may hold FF DB
        at += 2 + struct.unpack(">H", jpeg[at + 2:at + 4])[0]
    with open(every, "wb") as f:
        f.write(jpeg[:at] + adobe + jpeg[at:])

    no_exif = os.path.join(out, "xmp", "no_exif.jpg")
    ppm2 = os.path.join(tmp, "goal.ppm")
    draw(ppm2, 322, 466, 5)
    encode(ppm2, no_exif, 85)
    exiftool(no_exif, "-XMP-dc:Title=No EXIF here", "-XMP-dc:Creator=The Brelin developers",
             "-XMP-photoshop:ColorMode=RGB", "-IPTC:ObjectName=No EXIF here",
             "-IPTC:By-line=The Brelin developers")


def tiff(order, entries, next_ifd=0, ifd_at=8):
    """A TIFF block with one IFD of (tag, type, count, value bytes) entries."""
    e = "<" if order == b"II" else ">"
    head = order + struct.pack(e + "HI", 42, ifd_at)
    body = struct.pack(e + "H", len(entries))
    for tag, kind, count, value in entries:
        body += struct.pack(e + "HHI", tag, kind, count) + value.ljust(4, b"\0")[:4]
    body += struct.pack(e + "I", next_ifd)
    return head + b"\0" * (ifd_at - 8) + body


def short(v, order=b"MM"):
    return struct.pack("<H" if order == b"II" else ">H", v)


def long_(v, order=b"MM"):
    return struct.pack("<I" if order == b"II" else ">I", v)


# EXIF blocks that a careless reader loops on or reads past: none of them says anything a
# reader may take as an orientation other than upright.
BROKEN_EXIF = {
    "ifd_past_end": b"MM" + struct.pack(">HI", 42, 0x7FFFFFF0),
    "ifd_loops_to_itself": tiff(b"II", [(0x0100, 3, 1, short(64, b"II"))], next_ifd=8),
    "entry_count_too_large": b"MM" + struct.pack(">HIH", 42, 8, 0xFFFF) + b"\x01\x12",
    "orientation_as_ascii": tiff(b"MM", [(0x0112, 2, 4, b"six\0")]),
    "orientation_out_of_range": tiff(b"II", [(0x0112, 3, 1, short(9, b"II"))]),
    "orientation_count_zero": tiff(b"MM", [(0x0112, 3, 0, short(6))]),
    "exif_ifd_loops_to_ifd0": tiff(b"MM", [(0x8769, 4, 1, long_(8))], next_ifd=8),
    "orientation_value_elsewhere": tiff(b"MM", [(0x0112, 3, 2, long_(0xFFFFFF00))]),
    "byte_order_unknown": b"XX" + struct.pack(">HI", 42, 8) + b"\0\x01\x01\x12\0\x03",
    "truncated_in_entry": tiff(b"MM", [(0x0112, 3, 1, short(6))])[:14],
}


def invalid_set(out, tmp):
    os.makedirs(os.path.join(out, "invalid"), exist_ok=True)
    ppm = os.path.join(tmp, "small.ppm")
    draw(ppm, 120, 90, 21)
    plain = os.path.join(tmp, "small.jpg")
    encode(ppm, plain, 85)
    with open(plain, "rb") as f:
        jpeg = f.read()
    for name, block in BROKEN_EXIF.items():
        with open(os.path.join(out, "invalid", f"{name}.jpg"), "wb") as f:
            f.write(insert_after_app0(jpeg, [segment(0xE1, b"Exif\0\0" + block)]))


def corrupted(out, tmp):
    """Sound markers, damaged image data: the scan stops part way, at an early EOI."""
    ppm = os.path.join(tmp, "big.ppm")
    draw(ppm, 1600, 1200, 31)
    whole = os.path.join(tmp, "whole.jpg")
    encode(ppm, whole, 92)
    with open(whole, "rb") as f:
        jpeg = f.read()
    scan = jpeg.index(b"\xff\xda")
    cut = scan + (len(jpeg) - scan) * 11 // 20
    with open(os.path.join(out, "corrupted.jpg"), "wb") as f:
        f.write(jpeg[:cut] + b"\xff\xd9")


def large_camera_photo(out, tmp):
    """A 2048 × 1536 photo with a camera's EXIF (a thumbnail and GPS among it)."""
    ppm = os.path.join(tmp, "large.ppm")
    draw(ppm, 2048, 1536, 41)
    jpg = os.path.join(out, "large_with_exif.jpg")
    encode(ppm, jpg, 88)
    exiftool(jpg, *camera_tags("Large"), "-EXIF:Orientation#=1",
             f"-ThumbnailImage<={thumbnail_of(ppm, tmp)}",
             "-GPS:GPSLatitude=48.8566", "-GPS:GPSLatitudeRef=N",
             "-GPS:GPSLongitude=2.3522", "-GPS:GPSLongitudeRef=E")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "photos")
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        orientation_set(out, tmp)
        metadata_set(out, tmp)
        invalid_set(out, tmp)
        corrupted(out, tmp)
        large_camera_photo(out, tmp)


if __name__ == "__main__":
    main()
