#!/usr/bin/env python3
"""Runs bench_engine with repetitions and prints the table of figures: the
median CPU time per encoding of every version, Orvelk (automatic mask and
mask 0) beside libqrencode and qrcodegen, each as a ratio to libqrencode's,
and the engine's three parts (table reads, codewords, mask choice).

    bench/engine_table.py [--bench PATH] [--repetitions N] [--min-time S]

Repetitions run interleaved at random, so that all encoders share the
machine's load alike; the medians come from one run of the program."""

import argparse
import json
import subprocess
import sys
from pathlib import Path

ENCODERS = [
    ("Orvelk auto", "BM_Orvelk_AutoMask"),
    ("Orvelk mask 0", "BM_Orvelk_Mask0"),
    ("libqrencode", "BM_Libqrencode_AutoMask"),
    ("qrcodegen", "BM_Qrcodegen_AutoMask"),
]
PARTS = [
    ("table reads", "BM_Orvelk_TableReads"),
    ("table reads, file changed", "BM_Orvelk_TableReadsAfresh"),
    ("codewords", "BM_Orvelk_Codewords"),
    ("mask choice", "BM_Orvelk_MaskChoice"),
]
REFERENCE = "BM_Libqrencode_AutoMask"


def run(bench, repetitions, min_time):
    command = [
        bench,
        f"--benchmark_repetitions={repetitions}",
        "--benchmark_enable_random_interleaving=true",
        "--benchmark_report_aggregates_only=true",
        f"--benchmark_min_time={min_time}",
        "--benchmark_format=json",
    ]
    out = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    medians = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        if b.get("error_occurred"):
            sys.exit(f"engine_table: {b['run_name']}: {b.get('error_message')}")
        name, _, version = b["run_name"].partition("/")
        if not version.isdigit():
            continue
        medians[(name, int(version))] = b["cpu_time"]  # microseconds
    return medians


def main():
    here = Path(__file__).resolve().parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bench", default=str(here.parent / "build/release/bin/bench_engine"))
    parser.add_argument("--repetitions", type=int, default=15)
    parser.add_argument("--min-time", type=float, default=0.1)
    args = parser.parse_args()
    medians = run(args.bench, args.repetitions, args.min_time)
    versions = sorted({v for (_, v) in medians})

    head = "| version | " + " | ".join(label for label, _ in ENCODERS) + " |"
    print(f"Median CPU time per encoding in µs ({args.repetitions} repetitions), "
          "and the ratio to libqrencode")
    print(head)
    print("|---" * (len(ENCODERS) + 1) + "|")
    for v in versions:
        reference = medians.get((REFERENCE, v))
        cells = []
        for _, name in ENCODERS:
            t = medians.get((name, v))
            if t is None:
                cells.append("")
            elif reference and name != REFERENCE:
                cells.append(f"{t:.1f} ({t / reference:.2f}x)")
            else:
                cells.append(f"{t:.1f}")
        print(f"| {v} | " + " | ".join(cells) + " |")

    if any((name, v) in medians for _, name in PARTS for v in versions):
        print()
        print("The engine's parts, median CPU time in µs")
        print("| version | " + " | ".join(label for label, _ in PARTS) + " |")
        print("|---" * (len(PARTS) + 1) + "|")
        for v in versions:
            cells = [f"{medians[(n, v)]:.1f}" if (n, v) in medians else "" for _, n in PARTS]
            print(f"| {v} | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
