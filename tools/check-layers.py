#!/usr/bin/env python3
"""Checks that the program's folders depend on each other in one direction:
no folder includes app/ (the top), and the folder include graph has no
cycle. Prints the order from the bottom up, or the offending includes.
usage: check-layers.py SOURCE_DIR"""
import pathlib
import re
import sys

# Folders of the program itself; tests, benchmarks, fuzzers and tools may
# include anything.
SKIP = {"tests", "bench", "fuzz", "tools", "languages", "build", "cmake", "docs", "installer", "dist"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.M)


def graph(root):
    edges = {}
    for path in root.rglob("*"):
        if path.suffix not in (".cpp", ".h") or not path.is_file():
            continue
        folder = path.relative_to(root).parts[0]
        if folder in SKIP or len(path.relative_to(root).parts) < 2:
            continue
        for target in INCLUDE.findall(path.read_text(errors="replace")):
            if target != folder:
                edges.setdefault(folder, {}).setdefault(target, []).append(str(path.relative_to(root)))
    return edges


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    edges = graph(root)
    failures = []
    for folder, targets in sorted(edges.items()):
        if "app" in targets:
            failures.append(f"{folder}/ includes app/: {', '.join(sorted(set(targets['app'])))}")
    # Kahn's algorithm: whatever is left over sits on a cycle.
    nodes = set(edges) | {t for ts in edges.values() for t in ts}
    remaining = {n: set(edges.get(n, {})) for n in nodes}
    order = []
    while True:
        ready = sorted(n for n, deps in remaining.items() if not deps)
        if not ready:
            break
        for n in ready:
            order.append(n)
            del remaining[n]
        for deps in remaining.values():
            deps.difference_update(ready)
    if remaining:
        for n in sorted(remaining):
            for t in sorted(remaining[n]):
                failures.append(f"cycle: {n}/ includes {t}/ ({', '.join(sorted(set(edges[n][t])))})")
    if failures:
        print("\n".join(failures))
        return 1
    print("layers, bottom up: " + " < ".join(order))
    return 0


if __name__ == "__main__":
    sys.exit(main())
