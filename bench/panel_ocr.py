#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How legible the map's text panel is: OCR (tesseract) of the panel of a rendered map against
the program's own text lines (vesk render --text), as a character error rate.

    python3 bench/panel_ocr.py [--vesk build/vesk] [--year 2024 --month 4] [--dpr 1 2]

For each pixel ratio the panel (the left 220 logical pixels) is cut out, turned to dark text on
white and enlarged to about 48 device pixels per line for tesseract (page segmentation 6: one
block of text). Both texts are compared without white space, the two degree signs as one; the
rate is the edit distance over the length of the program's text. Needs tesseract-ocr and
imagemagick."""
import argparse
import os
import re
import subprocess
import sys
import tempfile

PANEL_WIDTH = 220
CLOCK = re.compile(r"^\s?\d{1,2}:\s?\d+\.\d\s*$")  # the progress clock drawn after the panel


def edit_distance(a, b):
    previous = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        current = [i]
        for j, cb in enumerate(b, 1):
            current.append(min(previous[j] + 1, current[j - 1] + 1,
                               previous[j - 1] + (ca != cb)))
        previous = current
    return previous[-1]


def normalised(text):
    return re.sub(r"\s+", "", text.replace("゜", "°"))


def panel_lines(vesk, year, month, ratio, png):
    out = subprocess.run([vesk, "render", "--year", str(year), "--month", str(month), "--dpr",
                          str(ratio), "--text", "--out", png],
                         check=True, capture_output=True, text=True).stdout
    lines = []
    for line in out.splitlines():
        if CLOCK.match(line):
            break
        lines.append(line)
    return "\n".join(lines)


def ocr(png, ratio, work):
    crop = os.path.join(work, "panel.png")
    scale = round(400 / ratio)
    subprocess.run(["convert", png, "-crop", f"{int(PANEL_WIDTH * ratio)}x100000+0+0",
                    "+repage", "-colorspace", "Gray", "-negate", "-resize", f"{scale}%", crop],
                   check=True)
    return subprocess.run(["tesseract", crop, "-", "--psm", "6"], check=True,
                          capture_output=True, text=True).stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--vesk", default="build/vesk")
    parser.add_argument("--year", type=int, default=2024)
    parser.add_argument("--month", type=int, default=4)
    parser.add_argument("--dpr", type=float, nargs="+", default=[1, 2])
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        for ratio in args.dpr:
            png = os.path.join(work, "map.png")
            reference = normalised(panel_lines(args.vesk, args.year, args.month, ratio, png))
            read = normalised(ocr(png, ratio, work))
            rate = edit_distance(read, reference) / max(1, len(reference))
            print(f"pixel ratio {ratio:g}: {100 * rate:.1f} % character errors "
                  f"({len(reference)} characters)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
