#!/usr/bin/env python3
"""Times whole processes of `orvelk` beside qrencode and zint and prints one
table: every row's median wall time per process (or per batch), the peer's,
and their ratio, and the same of their CPU time (user and system, the
process and its children), which a machine shared with other work
disturbs less.

    bench/process_table.py [--orvelk PATH] [--runs N] [--batch-runs N] [--lines N]

The commands of every row run interleaved, round after round, so that they
share the machine's load alike; each batch runs in a new folder of its own.
Everything is written under a temporary folder (TMPDIR=/dev/shm leaves the
disk out of it), with a copy of the build's application folder. Needs a
release build and the qrencode and zint programs (scripts/setup.sh)."""

import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

# The width of the table's first column.
WIDTH = 52

# 2953 bytes: the most a version-40 symbol holds in byte mode at level L.
V40_BYTES = 2953


def cpu_seconds():
    """User and system seconds of the children waited for so far."""
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def timed(command, cwd):
    """Runs `command` in `cwd` with its output discarded; the wall and CPU
    seconds it took."""
    cpu = cpu_seconds()
    start = time.perf_counter()
    result = subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = (time.perf_counter() - start, cpu_seconds() - cpu)
    if result.returncode != 0:
        sys.exit(f"process_table: {' '.join(map(str, command))} failed with status "
                 f"{result.returncode}: {result.stderr.decode(errors='replace').strip()}")
    return elapsed


def main():
    root = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--orvelk", default=str(root / "build/release/bin/orvelk"))
    parser.add_argument("--runs", type=int, default=101, help="runs of each short process")
    parser.add_argument("--batch-runs", type=int, default=5, help="runs of each batch")
    parser.add_argument("--lines", type=int, default=1000, help="lines of each batch")
    args = parser.parse_args()

    orvelk = Path(args.orvelk).resolve()
    if not os.access(orvelk, os.X_OK):
        sys.exit("process_table: build the release preset first (no " + str(orvelk) + ")")
    for tool in ("qrencode", "zint"):
        if shutil.which(tool) is None:
            sys.exit(f"process_table: {tool} is not installed (scripts/setup.sh)")

    with tempfile.TemporaryDirectory(prefix="process_table.") as work:
        work = Path(work)
        app = work / "app"
        shutil.copytree(orvelk.parent.parent / "app", app)
        env_app = ["--app-folder", str(app)]
        payload = work / "v40.txt"
        payload.write_bytes(bytes(0x41 + (i * 7) % 26 for i in range(V40_BYTES)))
        lines = work / "lines.txt"
        lines.write_text("".join(f"https://example.org/item/{i:06d}?lot=K7QX2M9A\n"
                                 for i in range(1, args.lines + 1)))

        o = str(orvelk)
        # (row, orvelk's command, the peer's command or None, per symbol)
        short_rows = [
            ("orvelk --help / qrencode -V",
             [o, "--help"], ["qrencode", "-V"]),
            ("encode HELLO svg / qrencode -t SVG",
             [o, "encode", "HELLO", "--format", "svg", "-o", "o.svg", *env_app],
             ["qrencode", "-t", "SVG", "-o", "q.svg", "HELLO"]),
            ("encode HELLO svg / zint --filetype=svg",
             [o, "encode", "HELLO", "--format", "svg", "-o", "o.svg", *env_app],
             ["zint", "-b", "QRCODE", "-d", "HELLO", "--filetype=svg", "-o", "z.svg"]),
            ("encode HELLO png / qrencode -t PNG",
             [o, "encode", "HELLO", "--format", "png", "-o", "o.png", *env_app],
             ["qrencode", "-t", "PNG", "-o", "q.png", "HELLO"]),
            (f"encode v40 {V40_BYTES} B svg / qrencode",
             [o, "encode", "--text-file", str(payload), "--level", "L", "--mode", "B",
              "--format", "svg", "-o", "o40.svg", *env_app],
             ["qrencode", "-r", str(payload), "-8", "-l", "L", "-t", "SVG", "-o", "q40.svg"]),
        ]
        # zint's defaults draw another symbol class than orvelk's: level L
        # (orvelk: M, so a URL is often a version smaller), 2 pixels a module
        # and no quiet zone (orvelk: 0.50 mm cells at 300 dpi, 5.9 pixels, and
        # 4 modules of quiet zone). Its row at --secure=2 --quietzones
        # --scale=3 draws orvelk's symbol at 6 pixels a module.
        zint_same = ["--secure=2", "--quietzones", "--scale=3"]
        batch_rows = [
            (f"batch {args.lines} URLs png / zint png, zint's defaults",
             [o, "batch", str(lines), "-o", "label-####.png", *env_app],
             ["zint", "-b", "QRCODE", "--batch", "--filetype=png", "-i", str(lines),
              "-o", "label~~~~.png"]),
            ("  the same, zint level M, quiet zone, 6 px a module",
             [o, "batch", str(lines), "-o", "label-####.png", *env_app],
             ["zint", "-b", "QRCODE", "--batch", "--filetype=png", *zint_same, "-i", str(lines),
              "-o", "label~~~~.png"]),
            ("  the same, orvelk --jobs 2",
             [o, "batch", str(lines), "-o", "label-####.png", "--jobs", "2", *env_app],
             ["zint", "-b", "QRCODE", "--batch", "--filetype=png", *zint_same, "-i", str(lines),
              "-o", "label~~~~.png"]),
            (f"batch {args.lines} URLs svg / zint svg, level M, quiet zone",
             [o, "batch", str(lines), "-o", "label-####.svg", *env_app],
             ["zint", "-b", "QRCODE", "--batch", "--filetype=svg", "--secure=2", "--quietzones",
              "-i", str(lines), "-o", "label~~~~.svg"]),
            (f"batch {args.lines} URLs pdf",
             [o, "batch", str(lines), "-o", "label-####.pdf", *env_app], None),
        ]

        short_dir = work / "short"
        short_dir.mkdir()
        times = {i: ([], []) for i in range(len(short_rows) + len(batch_rows))}
        for _ in range(args.runs):
            for i, (_, mine, peer) in enumerate(short_rows):
                times[i][0].append(timed(mine, short_dir))
                times[i][1].append(timed(peer, short_dir))
        counter = 0
        for _ in range(args.batch_runs):
            for j, (_, mine, peer) in enumerate(batch_rows):
                for side, command in ((0, mine), (1, peer)):
                    if command is None:
                        continue
                    counter += 1
                    folder = work / f"batch{counter}"
                    folder.mkdir()
                    times[len(short_rows) + j][side].append(timed(command, folder))
                    shutil.rmtree(folder)

        print(f"{'whole process (median)':{WIDTH}} {'orvelk':>9} {'peer':>9} {'ratio':>5}"
              f" {'cpu orvelk':>10} {'peer':>9} {'ratio':>5}")
        rows = short_rows + batch_rows
        for i, (name, _, _) in enumerate(rows):
            cells = []
            per = args.lines if i >= len(short_rows) else 1
            for k in (0, 1):
                mine = statistics.median(t[k] for t in times[i][0]) * 1000
                peer = (statistics.median(t[k] for t in times[i][1]) * 1000
                        if times[i][1] else None)
                cells.append((mine, peer))
            line = f"{name:{WIDTH}}"
            symbol = f"{'  a symbol':{WIDTH}}"
            for mine, peer in cells:
                line += f" {mine:7.1f}ms " + (f"{peer:7.1f}ms {mine / peer:5.2f}" if peer
                                               else f"{'':9} {'':5}")
                symbol += f" {mine / per:7.3f}ms " + (f"{peer / per:7.3f}ms {'':5}" if peer
                                                     else f"{'':9} {'':5}")
            print(line)
            if per > 1:
                print(symbol)
        print(f"({args.runs} runs of each short process, {args.batch_runs} of each batch, "
              "interleaved)")


if __name__ == "__main__":
    main()
