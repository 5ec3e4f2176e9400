#!/usr/bin/env python3
"""Fails when a source file includes a folder above its own.

The product's folders are layers; each may include only itself and the
layers below it. Two folders on one level know nothing of each other.
  include_layers.py SOURCE_ROOT
"""
import pathlib
import re
import sys

# Bottom first. Folders on one line share a level.
LEVELS = [
    ["base"],
    ["language"],
    ["conversation"],
    ["identity"],
    ["responders", "styling"],
    ["engine"],
    ["library"],
    ["frontends", "bindings"],
    ["frontends/qt", "frontends/web"],
]
LEVEL = {folder: rank for rank, folders in enumerate(LEVELS) for folder in folders}
# The library's public headers lie in include/velk/ and are included by their
# installed name, "velk/bot.h".
ALIASES = {"include/velk": "library", "velk": "library"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]')


def folder_of(path):
    """The deepest known folder that `path` lies in, or None."""
    parts = path.split("/")
    for depth in range(len(parts) - 1, 0, -1):
        folder = "/".join(parts[:depth])
        folder = ALIASES.get(folder, folder)
        if folder in LEVEL:
            return folder
    return None


def main(root):
    root = pathlib.Path(root)
    problems = []
    for source in sorted(root.rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        relative = source.relative_to(root).as_posix()
        own = folder_of(relative)
        if own is None:
            continue  # tests, benchmarks, fuzzing and tools may include anything
        for number, text in enumerate(source.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(text)
            if not match or "/" not in match.group(1):
                continue
            target = folder_of(match.group(1))
            if target is None:
                first = match.group(1).split("/")[0]
                if (root / first).is_dir():
                    problems.append(f"{relative}:{number}: includes {match.group(1)}, outside the layers")
                continue
            if target != own and LEVEL[target] >= LEVEL[own]:
                problems.append(f"{relative}:{number}: {own}/ includes {match.group(1)}, "
                                f"which is not below it")
    for problem in problems:
        print(problem)
    print(f"{len(problems)} upward includes")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
