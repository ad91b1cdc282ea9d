#!/usr/bin/env python3
"""Fails when an #include points up the layer order of cmake/layers.txt.

usage: check_layers.py SOURCE_DIR
Prints one line per offending include (file:line: text) and exits 1 if
there is any."""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_0-9]+)/')


def read_layers(path):
    ranks, backend_users = {}, set()
    rank = 0
    for line in open(path, encoding="utf-8"):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        if line.startswith("backend users:"):
            backend_users = set(line.split(":", 1)[1].split())
            continue
        for folder in line.split():
            ranks[folder] = rank
        rank += 1
    return ranks, backend_users


def folder_dirs(source_dir, ranks):
    for folder in ranks:
        top = folder if folder in ("host", "cli", "tools") else os.path.join("src", folder)
        path = os.path.join(source_dir, top)
        if os.path.isdir(path):
            yield folder, path


def violations(source_dir):
    ranks, backend_users = read_layers(os.path.join(source_dir, "cmake", "layers.txt"))
    for folder, path in folder_dirs(source_dir, ranks):
        for root, _, files in os.walk(path):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                file = os.path.join(root, name)
                for number, text in enumerate(open(file, encoding="utf-8", errors="replace"), 1):
                    m = INCLUDE.match(text)
                    if not m or m.group(1) not in ranks or m.group(1) == folder:
                        continue
                    dep = m.group(1)
                    if dep == "backend":
                        ok = folder in backend_users
                    else:
                        ok = ranks[dep] < ranks[folder]
                    if not ok:
                        yield f"{os.path.relpath(file, source_dir)}:{number}: {text.strip()}"


def main():
    found = list(violations(sys.argv[1]))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) point up the layer order of cmake/layers.txt")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
