#!/usr/bin/env python3
"""Every export of a placed symbol read back by two readers, and its size.

For each cell size of the settings dialog's popup and versions 1, 10, 25 and
40, `orvelk batch` places one symbol (level M, 8-bit byte mode) and writes
it as SVG, PDF, EPS and PNG (the PNG at the default 300 dpi). Each file is
rasterised as a user's tools would (rsvg-convert, pdftoppm, Ghostscript over
the exact box; the PNG as written), read by zxing-cpp (the tests' decode_png)
and by zbar (zbarimg), and measured: the size it states (SVG width, PDF
MediaBox, EPS %%HiResBoundingBox, PNG pixels at 300 dpi) against the
modules' count times the cell size: within 0.01 mm, a PNG (whole pixels)
within one pixel. Prints a Markdown table per format.

Usage: bench/export_table.py BUILD_DIR [OUT_DIR]
(BUILD_DIR holds bin/orvelk and bin/decode_png; zbarimg, rsvg-convert,
pdftoppm and gs must be installed: scripts/setup.sh.)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

CELLS = ["0.20", "0.25", "0.33", "0.50", "0.75", "1.00", "1.50", "2.00", "3.00", "4.00", "5.00"]
VERSIONS = [1, 10, 25, 40]
FORMATS = ["svg", "pdf", "eps", "png"]
PNG_DPI = 300
# Vector formats are rasterised so that a module is about this many pixels.
RASTER_PIXELS_PER_MODULE = 6
# Fits version 1 at level M in 8-bit byte mode (14 bytes).
TEXT = "Orvelk 000001"


def run(args, **kw):
    return subprocess.run(args, capture_output=True, **kw)


def stated_mm(fmt, path):
    data = open(path, "rb").read()
    if fmt == "svg":
        m = re.search(rb'width="([0-9.]+)(mm|pt)?"', data)
        value = float(m.group(1))
        return value if m.group(2) == b"mm" else value / 72 * 25.4
    if fmt == "pdf":
        m = re.search(rb"/MediaBox \[ *([-0-9.]+) +([-0-9.]+) +([-0-9.]+) +([-0-9.]+)", data)
        return (float(m.group(3)) - float(m.group(1))) / 72 * 25.4
    if fmt == "eps":
        m = re.search(rb"%%HiResBoundingBox: 0 0 ([0-9.]+) ([0-9.]+)", data)
        return float(m.group(1)) / 72 * 25.4 if m else None
    width = int.from_bytes(data[16:20], "big")
    return width / PNG_DPI * 25.4


def rasterise(fmt, path, dpi, work):
    """The PNG a user's tool makes of `path`, or None."""
    out = os.path.join(work, "raster")
    if fmt == "png":
        return path
    if fmt == "svg":
        r = run(["rsvg-convert", "--background-color=white", "-d", str(dpi), "-p", str(dpi),
                 "-o", out + ".png", path])
    elif fmt == "pdf":
        r = run(["pdftoppm", "-png", "-singlefile", "-r", str(dpi), path, out])
    else:
        # The exact box, as tools that honour it show the figure.
        r = run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop", "-sDEVICE=pnggray",
                 "-r" + str(dpi), "-o", out + ".png", path])
    return out + ".png" if r.returncode == 0 else None


def decoded(build, png):
    z = run([os.path.join(build, "bin", "decode_png"), png], text=True)
    b = run(["zbarimg", "-q", "--raw", png], text=True)
    return (z.stdout.strip() == TEXT, b.stdout.strip() == TEXT)


def main():
    build = sys.argv[1]
    keep = sys.argv[2] if len(sys.argv) > 2 else None
    orvelk = os.path.join(build, "bin", "orvelk")
    work = keep or tempfile.mkdtemp(prefix="orvelk-export-table.")
    app = os.path.join(work, "app")
    shutil.copytree(os.path.join(build, "app"), app, dirs_exist_ok=True)
    if os.path.exists(os.path.join(app, "Prefs", "Orvelk.ini")):
        os.remove(os.path.join(app, "Prefs", "Orvelk.ini"))
    texts = os.path.join(work, "texts.txt")
    with open(texts, "w") as f:
        f.write(TEXT + "\n")
    rows = {fmt: [] for fmt in FORMATS}
    for cell in CELLS:
        for version in VERSIONS:
            side = 17 + 4 * version + 8
            expected = side * float(cell)
            for fmt in FORMATS:
                path = os.path.join(work, "v%d-%s-#.%s" % (version, cell, fmt))
                r = run([orvelk, "batch", texts, "--app-folder", app, "--level", "M", "--mode", "B",
                         "--version", str(version), "--cell", cell, "-o", path], text=True)
                path = path.replace("#", "1")
                if r.returncode != 0:
                    rows[fmt].append((cell, version, "not written: " + r.stderr.strip(),
                                      "", "", ""))
                    continue
                size = stated_mm(fmt, path)
                tolerance = 25.4 / PNG_DPI if fmt == "png" else 0.01
                size_ok = size is not None and abs(size - expected) <= tolerance
                dpi = max(72, round(RASTER_PIXELS_PER_MODULE * 25.4 / float(cell)))
                raster = rasterise(fmt, path, dpi, work)
                z, b = decoded(build, raster) if raster else (False, False)
                pixels = "%.1f" % (float(cell) / 25.4 * (PNG_DPI if fmt == "png" else dpi))
                rows[fmt].append((cell, version, "%.2f" % expected,
                                  "%.3f %s" % (size, "ok" if size_ok else "WRONG")
                                  if size is not None else "none",
                                  pixels, ("yes" if z else "NO") + " / " + ("yes" if b else "NO")))
                if not keep:
                    os.remove(path)
    for fmt in FORMATS:
        print("\n%s%s\n" % (fmt.upper(), " at %d dpi" % PNG_DPI if fmt == "png" else
                            " rasterised at about %d pixels a module" % RASTER_PIXELS_PER_MODULE))
        print("| cell mm | version | size mm | stated mm | pixels/module | zxing / zbar |")
        print("|---|---|---|---|---|---|")
        for row in rows[fmt]:
            print("| %s | %s | %s | %s | %s | %s |" % row)
    if not keep:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
