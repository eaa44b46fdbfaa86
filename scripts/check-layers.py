#!/usr/bin/env python3
"""Checks that the libraries of src/ depend on each other one way only.

    check-layers.py SRC              include edges between the layers
    check-layers.py SRC --symbols EXE ARCHIVE...
                                     and: EXE defines no symbol of ARCHIVE

Every #include "..." of a file is resolved as the compiler does (the
including file's folder first, then the folders of the layers) and counted
as an edge from the file's layer to the included file's layer. An edge to a
higher layer, an include that leaves the layers' folders, and a dialog or
window header of Qt in a layer below the window are reported; the exit code
is then 1. The summary lists the files per folder, the largest file of each
layer and the edges between layers.
"""

import os
import re
import subprocess
import sys
from collections import Counter, defaultdict

# Lowest first: a layer may include its own headers and those of the layers before it.
LAYERS = ["core", "document", "print", "server", "ui", "app"]
# Layers that stand beside the ones after them: the print service is a
# program of its own above print, and nothing else includes it.
SIDE_LAYERS = {"server"}
# Headers generated into a layer's build folder.
GENERATED = {"buildinfo.h": "ui"}
# Qt headers that only the window layer and above may use.
WINDOW_HEADERS = {
    "QDialog", "QMessageBox", "QFileDialog", "QInputDialog", "QProgressDialog",
    "QPrintDialog", "QPageSetupDialog", "QPrintPreviewDialog", "QColorDialog",
    "QFontDialog", "QErrorMessage", "QWizard", "QDialogButtonBox", "QMainWindow",
    "QMdiArea", "QDockWidget", "QToolBar", "QStatusBar", "QMenuBar",
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)


def layer_of(path, src):
    rel = os.path.relpath(path, src)
    top = rel.split(os.sep, 1)[0]
    return top if top in LAYERS else None


def resolve(name, including, src):
    """The file an include names, or None for a header from outside src/."""
    candidates = [os.path.join(os.path.dirname(including), name)]
    candidates += [os.path.join(src, layer, name) for layer in LAYERS]
    for c in candidates:
        if os.path.isfile(c):
            return os.path.normpath(c)
    return None


def sources(src):
    for root, _, files in os.walk(src):
        for f in sorted(files):
            if f.endswith((".cpp", ".h")):
                yield os.path.join(root, f)


def check_includes(src):
    faults = []
    edges = Counter()
    files_per_folder = Counter()
    largest = {}
    for path in sources(src):
        layer = layer_of(path, src)
        rel = os.path.relpath(path, src)
        if layer is None:
            faults.append(f"{rel}: not in a layer's folder")
            continue
        files_per_folder[os.path.dirname(rel)] += 1
        lines = sum(1 for _ in open(path, encoding="utf-8", errors="replace"))
        if lines > largest.get(layer, ("", 0))[1]:
            largest[layer] = (rel, lines)
        text = open(path, encoding="utf-8", errors="replace").read()
        for kind, name in INCLUDE.findall(text):
            if kind == "<":
                header = name.rsplit("/", 1)[-1]
                if header in WINDOW_HEADERS and (LAYERS.index(layer) < LAYERS.index("ui") or layer in SIDE_LAYERS):
                    faults.append(f"{rel}: includes <{name}>, a window header, below the window layer")
                continue
            target = resolve(name, path, src)
            if target is None:
                if name in GENERATED:
                    to = GENERATED[name]
                else:
                    faults.append(f"{rel}: includes \"{name}\", which no layer has")
                    continue
            else:
                to = layer_of(target, src)
                if to is None or not target.startswith(os.path.join(src, to) + os.sep):
                    faults.append(f"{rel}: includes \"{name}\" from outside the layers")
                    continue
            if to != layer:
                edges[(layer, to)] += 1
            if to in SIDE_LAYERS and layer != to:
                faults.append(f"{rel}: includes \"{name}\" of {to}, a program of its own")
            elif LAYERS.index(to) > LAYERS.index(layer):
                faults.append(f"{rel}: includes \"{name}\" of {to}, a higher layer than {layer}")

    print("Files per folder:")
    for folder in sorted(files_per_folder):
        print(f"  {folder or '.'}: {files_per_folder[folder]}")
    print("Largest file per layer:")
    for layer in LAYERS:
        if layer in largest:
            print(f"  {layer}: {largest[layer][0]} ({largest[layer][1]} lines)")
    print("Includes between layers:")
    for (a, b), n in sorted(edges.items(), key=lambda e: (LAYERS.index(e[0][0]), LAYERS.index(e[0][1]))):
        print(f"  {a} -> {b}: {n}")
    return faults


def defined_symbols(path):
    out = subprocess.run(["nm", "--defined-only", "--extern-only", "-P", path],
                         capture_output=True, text=True, check=True).stdout
    symbols = set()
    for line in out.splitlines():
        parts = line.split()
        # Archive member headers ("lib.a[x.o]:") and weak symbols (inline
        # functions and templates any library may instantiate) do not count.
        if len(parts) >= 2 and not parts[0].endswith(":") and parts[1] in "TDBR":
            symbols.add(parts[0])
    return symbols


def check_symbols(executable, archives):
    faults = []
    linked = defined_symbols(executable)
    for archive in archives:
        own = defined_symbols(archive)
        shared = sorted(linked & own)
        name = os.path.basename(archive)
        print(f"Symbols of {name} in {os.path.basename(executable)}: {len(shared)}")
        faults += [f"{os.path.basename(executable)} defines {s} of {name}" for s in shared[:20]]
    return faults


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    src = os.path.abspath(argv[1])
    faults = check_includes(src)
    if len(argv) > 2:
        if argv[2] != "--symbols" or len(argv) < 5:
            print(__doc__.strip(), file=sys.stderr)
            return 2
        faults += check_symbols(argv[3], argv[4:])
    for f in faults:
        print("FAULT: " + f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
