#!/usr/bin/env python3
"""Holds every #include "..." of the plug-in's and the stand-in's folders to
the layer order that docs/architecture.md gives between its "layer order"
markers: a folder may include itself and the folders listed above it, never
one listed below it, and no two folders may include each other. Within the
folders no files may include each other, directly or in a circle.

Usage: check_layers.py [SOURCE_ROOT] [--graph FOLDER]. Prints the folder
pairs that include each other, any other cycle of folders or of files, and
every include against the order; exits 1 when there is one, else 0. With
--graph, prints the quoted includes of FOLDER's files (its listed subfolders
with it), one file a line, lowest layer first, then checks as usual."""

import pathlib
import re
import sys

BEGIN = "<!-- layer order: begin -->"
END = "<!-- layer order: end -->"
SOURCES = {".h", ".hpp", ".c", ".cc", ".cpp", ".rc"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_order(root):
    """The folders in their order, lowest first: the first word of each
    list line between the markers."""
    text = (root / "docs" / "architecture.md").read_text(encoding="utf-8")
    if BEGIN not in text or END not in text:
        sys.exit("docs/architecture.md has no layer order markers")
    block = text.split(BEGIN, 1)[1].split(END, 1)[0]
    order = []
    for line in block.splitlines():
        m = re.match(r"^\s*\d+\.\s+`([^`]+)/`", line)
        if m:
            order.append(m.group(1))
    if not order:
        sys.exit("the layer order in docs/architecture.md lists no folder")
    return order


def folder_of(path, folders):
    """The longest listed folder that holds `path` (relative, with slashes)."""
    best = None
    for f in folders:
        if path == f or path.startswith(f + "/"):
            if best is None or len(f) > len(best):
                best = f
    return best


def includes(root, folders):
    """(from folder, to folder or None, file, line number, include) for every
    quoted include in the listed folders' files."""
    for folder in folders:
        base = root / folder
        if not base.is_dir():
            continue  # a planned folder
        for file in sorted(base.rglob("*")):
            if file.suffix not in SOURCES or not file.is_file():
                continue
            rel = file.relative_to(root).as_posix()
            if folder_of(rel, folders) != folder:
                continue  # a listed subfolder of its own
            for number, line in enumerate(file.read_text(errors="replace").splitlines(), 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                name = m.group(1)
                if "/" not in name:  # beside the including file
                    target = (file.parent / name).relative_to(root).as_posix()
                else:
                    target = name
                yield folder, folder_of(target, folders), rel, number, name


def cycles(edges):
    """The strongly connected groups of more than one folder."""
    index, low, stack, on, groups, counter = {}, {}, [], set(), [], [0]
    nodes = sorted({a for a, _ in edges} | {b for _, b in edges})
    out = {n: sorted({b for a, b in edges if a == n}) for n in nodes}

    def visit(n):
        index[n] = low[n] = counter[0]
        counter[0] += 1
        stack.append(n)
        on.add(n)
        for m in out[n]:
            if m not in index:
                visit(m)
                low[n] = min(low[n], low[m])
            elif m in on:
                low[n] = min(low[n], index[m])
        if low[n] == index[n]:
            group = []
            while True:
                m = stack.pop()
                on.discard(m)
                group.append(m)
                if m == n:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    for n in nodes:
        if n not in index:
            visit(n)
    return groups


def main():
    args = sys.argv[1:]
    graph = None
    if "--graph" in args:
        i = args.index("--graph")
        graph = args[i + 1].rstrip("/")
        del args[i : i + 2]
    root = pathlib.Path(args[0] if args else ".").resolve()
    order = layer_order(root)
    if graph is not None:
        print_graph(root, order, graph)
    rank = {f: i for i, f in enumerate(order)}
    edges, file_edges, upward, unknown = set(), set(), [], []
    for source, target, file, number, name in includes(root, order):
        included = name if "/" in name else (pathlib.PurePosixPath(file).parent / name).as_posix()
        file_edges.add((file, included))
        if target is None:
            unknown.append(f"{file}:{number}: {name} lies in no folder of the layer order")
            continue
        if target == source:
            continue
        edges.add((source, target))
        if rank[target] > rank[source]:
            upward.append(f"{file}:{number}: {source}/ includes {name}, a layer above it")
    # Every folder of the stand-in that holds sources must have its place.
    for sub in sorted((root / "standin").iterdir()):
        if sub.is_dir() and folder_of(sub.relative_to(root).as_posix(), order) is None:
            if any(f.suffix in SOURCES for f in sub.rglob("*")):
                unknown.append(f"{sub.relative_to(root).as_posix()}/ holds sources but has no place in the layer order")
    mutual = sorted({tuple(sorted(e)) for e in edges if (e[1], e[0]) in edges})
    groups = cycles(edges)
    file_groups = cycles(file_edges)

    print("layer order, lowest first: " + ", ".join(f + "/" for f in order))
    print(f"folders that include each other: {len(mutual)}")
    for a, b in mutual:
        print(f"  {a}/ <-> {b}/")
    print(f"cycles: {len(groups)}")
    for g in groups:
        print("  " + " -> ".join(f + "/" for f in g))
    print(f"cycles of files: {len(file_groups)}")
    for g in file_groups:
        print("  " + " -> ".join(g))
    print(f"includes against the order: {len(upward) + len(unknown)}")
    for line in upward + unknown:
        print("  " + line)
    return 1 if mutual or groups or file_groups or upward or unknown else 0


def print_graph(root, order, folder):
    """The quoted includes of `folder` and its listed subfolders, by file,
    lowest layer first."""
    inside = [f for f in order if f == folder or f.startswith(folder + "/")]
    graph = {}
    for source, _, file, _, name in includes(root, inside):
        if not name.endswith(".h"):
            continue
        graph.setdefault((inside.index(source), file), []).append(name)
    for base in inside:
        for file in sorted((root / base).glob("*")):
            rel = file.relative_to(root).as_posix()
            if file.suffix in SOURCES and folder_of(rel, inside) == base:
                graph.setdefault((inside.index(base), rel), [])
    for (_, file), names in sorted(graph.items()):
        own = pathlib.PurePosixPath(file).with_suffix(".h").as_posix()
        shown = sorted(n for n in set(names) if n != own)
        print(f"{file}: {', '.join(shown) if shown else '-'}")


if __name__ == "__main__":
    sys.exit(main())
