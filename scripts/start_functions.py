#!/usr/bin/env python3
"""Writes standin/cli/start_functions.txt: the functions of the `orvelk`
program that its short commands run (`--help`, `encode` to SVG, PNG and
text), one symbol a line, which the link lays out together at the start of
the program's code (standin/CMakeLists.txt).

    scripts/start_functions.py [--orvelk PATH]

Runs each command once under valgrind's callgrind (it counts every function
run, however short) and keeps the program's own functions. Rerun it after
a change to what those commands run; a name that is no longer in the
program is passed over by the link, and a function missing from the list
only costs its command a page read."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path


def functions_run(command, program, cwd, env):
    """The names, as callgrind prints them, of the functions of `program`
    that `command` runs."""
    out = Path(cwd) / "callgrind.out"
    subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", *command],
                   cwd=cwd, env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    objects, names, current, found = {}, {}, None, set()
    for line in out.read_text(errors="replace").splitlines():
        m = re.match(r"^(c?ob)=\((\d+)\)(?: (.*))?$", line)
        if m:
            if m.group(3):
                objects[m.group(2)] = m.group(3)
            if m.group(1) == "ob":
                current = objects.get(m.group(2))
            continue
        m = re.match(r"^(c?fn)=\((\d+)\)(?: (.*))?$", line)
        if m:
            if m.group(3):
                names[m.group(2)] = m.group(3)
            if m.group(1) == "fn" and current == str(program):
                found.add(names[m.group(2)])
    return found


def main():
    root = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--orvelk", default=str(root / "build/release/bin/orvelk"))
    args = parser.parse_args()
    program = Path(args.orvelk).resolve()
    if shutil.which("valgrind") is None:
        sys.exit("start_functions: valgrind is not installed")

    # callgrind names a function as `nm -C` does: the symbol of each name.
    plain = subprocess.run(["nm", "--defined-only", program], capture_output=True, text=True,
                           check=True).stdout.splitlines()
    shown = subprocess.run(["nm", "-C", "--defined-only", program], capture_output=True,
                           text=True, check=True).stdout.splitlines()
    symbols = {}
    for a, b in zip(plain, shown):
        a, b = a.split(" ", 2), b.split(" ", 2)
        if len(a) == 3 and a[1] in "tTwW":
            symbols.setdefault(b[2], []).append(a[2])

    with tempfile.TemporaryDirectory(prefix="start_functions.") as work:
        app = Path(work) / "app"
        shutil.copytree(program.parent.parent / "app", app)
        p, folder = str(program), ["--app-folder", str(app)]
        commands = [[p, "--help"]] + [
            [p, "encode", "HELLO", "--format", f, "-o", name, *folder]
            for f, name in (("svg", "o.svg"), ("png", "o.png"), ("text", "o.txt"))]
        # And as a user runs them, in the user's own folder: made by the
        # first command, found (its links checked) by the next.
        commands += [[p, "encode", "HELLO", "--format", "svg", "-o", "o.svg"]] * 2
        env = {k: v for k, v in os.environ.items()
               if k not in ("XDG_DATA_HOME", "ORVELK_APP_FOLDER")}
        env["HOME"] = work
        run = set()
        for command in commands:
            run |= functions_run(command, program, work, env)

    listed = sorted({s for name in run for s in symbols.get(name, [])})
    target = root / "standin/cli/start_functions.txt"
    target.write_text("".join(s + "\n" for s in listed))
    print(f"start_functions: {len(listed)} functions in {target}")


if __name__ == "__main__":
    main()
