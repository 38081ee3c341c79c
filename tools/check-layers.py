#!/usr/bin/env python3
"""Checks that the program's folders depend on each other in one direction:
every include of a folder's file names its own folder or one below it in
ORDER, and the README's folder order is ORDER. The programs of tools/ that
include product code sit above the product, so nothing of the product
includes tools/. Prints the order, or the offending includes.
usage: check-layers.py SOURCE_DIR"""
import pathlib
import re
import sys

# Bottom up. A new folder goes here and into the README's sentence.
ORDER = ["resources", "ui", "base", "settings", "db", "catalogue", "pictures", "gamelist", "documents", "filters", "options",
         "preferences", "app", "tools"]
# Folders that may include anything: tests, benchmarks, fuzzers; and folders
# without sources of the program.
SKIP = {"tests", "bench", "fuzz", "languages", "build", "cmake", "docs", "installer", "dist"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.M)
README_ORDER = re.compile(r"one direction,\s+bottom up:\s+([a-z_,/\s]+)\.")


def includes(root):
    """(folder, included folder, file) for every include of another folder."""
    for path in sorted(root.rglob("*")):
        parts = path.relative_to(root).parts
        if path.suffix not in (".cpp", ".h") or not path.is_file() or len(parts) < 2 or parts[0] in SKIP:
            continue
        for target in INCLUDE.findall(path.read_text(errors="replace")):
            if target != parts[0]:
                yield parts[0], target, str(path.relative_to(root))


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    rank = {folder: i for i, folder in enumerate(ORDER)}
    failures = []
    for folder, target, path in includes(root):
        for name in (folder, target):
            if name not in rank:
                failures.append(f"{path}: folder {name}/ has no place in the order (tools/check-layers.py ORDER)")
        if folder in rank and target in rank and rank[target] > rank[folder]:
            failures.append(f"{path}: {folder}/ includes {target}/, which sits above it")
    readme = root / "README.md"
    if readme.exists():
        found = README_ORDER.search(readme.read_text())
        stated = [w.strip().rstrip("/") for w in found.group(1).replace("\n", " ").split(",")] if found else []
        if stated != ORDER:
            failures.append(f"README.md states the order {stated}, not {ORDER}")
    if failures:
        print("\n".join(sorted(set(failures))))
        return 1
    print("layers, bottom up: " + " < ".join(ORDER))
    return 0


if __name__ == "__main__":
    sys.exit(main())
