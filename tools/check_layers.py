#!/usr/bin/env python3
"""Checks that every #include of the program runs down the layers.

The layers, from the top:
    app                  the start screen, the application, the creation of every window
    subsystem windows    training, articletest, warmup, records, history windows
    shared windows       windows several subsystems open (the help-text window)
    subsystem cores      widget-free: training, articletest, warmup, records, history, coaching
    dictionary           the code dictionary and segmentation
    platform             file, text, sound and screen services

A file belongs to the library its folder's CMakeLists.txt lists it in. An include
may name a header of its own library or of a lower layer. Libraries on one layer
may lean on each other only where SIDEWAYS allows it (an interface one subsystem
defines for another). Widget-free libraries never include a header of a library
with windows. Within a library, no two files include each other's headers in a
circle. Prints each include against the order as "file:line: ..." and exits 1.
"""
import os
import re
import sys

# Library -> (layer, has windows). Higher layers may include lower ones.
LIBRARIES = {
    "tarvo_platform": (0, False),
    "tarvo_platform_sound": (0.5, False),
    "tarvo_platform_gui": (0.5, True),
    "tarvo_dictionary": (1, False),
    "tarvo_classresults": (1.5, False),
    "tarvo_coaching": (2, False),
    "tarvo_course": (2, False),
    "tarvo_training": (2, False),
    "tarvo_articletest": (2, False),
    "tarvo_warmup": (2, False),
    "tarvo_records": (2, False),
    "tarvo_history": (2, False),
    "tarvo_app_core": (2, False),
    "tarvo_results": (2, False),
    "tarvo_shared_windows": (3, True),
    "tarvo_training_windows": (4, True),
    "tarvo_articletest_windows": (4, True),
    "tarvo_warmup_windows": (4, True),
    "tarvo_records_windows": (4, True),
    "tarvo_course_windows": (4, True),
    "tarvo_classresults_windows": (4, True),
    "tarvo_history_gui": (4, True),
    "tarvo_history_plugin": (4.5, True),
    "tarvo_sound_plugin": (0.7, False),
    "tarvo_gui": (5, True),
    "tarvo_art_lib": (5, True),
    "tarvo": (6, True),
    "tarvo-screenshot": (6, True),
    "tarvo-art": (6, True),
    "tarvo-dict": (6, False),
    "tarvo-results": (6, False),
}

# Same-layer includes that are allowed: the history records what the
# training, the article test and the warm-up tell it through the interfaces
# they define; the training window opens the record holders' windows.
SIDEWAYS = {
    ("tarvo_history", "tarvo_training"),
    ("tarvo_history", "tarvo_articletest"),
    ("tarvo_history", "tarvo_warmup"),
    ("tarvo_history", "tarvo_coaching"),
    ("tarvo_training", "tarvo_coaching"),
    ("tarvo_training_windows", "tarvo_records_windows"),
}

# The learning history is loaded at its first use, so that the start screen
# does not wait for Qt SQL and Qt Charts: outside its own libraries only its
# service's interface may be included.
PRIVATE = {"tarvo_history", "tarvo_history_gui", "tarvo_history_plugin"}
PUBLIC_HEADERS = {"history/history_service.h"}

# The folders of the program; tests and benchmarks may include any layer.
FOLDERS = ["platform", "dictionary", "coaching", "course", "training", "articletest", "warmup",
           "records", "history", "shared_windows", "app", "tools/tarvo_dict", "tools/tarvo_art"]

LIBRARY_BLOCK = re.compile(r"add_(?:library|executable)\(\s*([\w-]+)([^)]*)\)", re.S)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def owners(root):
    """File path (from the root) -> library, read from each folder's CMakeLists.txt."""
    owner = {}
    for folder in FOLDERS:
        cmake = os.path.join(root, folder, "CMakeLists.txt")
        if not os.path.exists(cmake):
            continue
        text = re.sub(r"#[^\n]*", "", open(cmake, encoding="utf-8").read())
        for name, body in LIBRARY_BLOCK.findall(text):
            for word in body.split():
                if word.endswith((".cpp", ".h")):
                    owner[f"{folder}/{word}"] = name
    return owner


def unit(path):
    """A source and its header are one unit for the circle check."""
    return os.path.splitext(path)[0]


def check(root):
    owner = owners(root)
    faults = []
    unit_edges = {}
    for path, library in sorted(owner.items()):
        if library not in LIBRARIES:
            faults.append(f"{path}:1: library {library} has no layer in tools/check_layers.py")
            continue
        layer, windows = LIBRARIES[library]
        full = os.path.join(root, path)
        if not os.path.exists(full):
            continue
        for number, line in enumerate(open(full, encoding="utf-8"), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            target = m.group(1)
            if "/" not in target:
                faults.append(f"{path}:{number}: include \"{target}\" does not name its folder")
                continue
            if target.startswith("tests/") or target not in owner:
                continue
            to = owner[target]
            if to == library:
                if unit(target) != unit(path):
                    unit_edges.setdefault(unit(path), {}).setdefault(unit(target), (path, number))
                continue
            to_layer, to_windows = LIBRARIES.get(to, (99, True))
            if to in PRIVATE and library not in PRIVATE and target not in PUBLIC_HEADERS:
                faults.append(f"{path}:{number}: {library} includes \"{target}\" of the history, "
                              f"which is loaded at its first use: only its service's interface "
                              f"may be included")
            elif to_windows and not windows:
                faults.append(f"{path}:{number}: widget-free {library} includes \"{target}\" "
                              f"of {to}, which has windows")
            elif to_layer > layer or (to_layer == layer and (library, to) not in SIDEWAYS):
                faults.append(f"{path}:{number}: {library} (layer {layer}) includes \"{target}\" "
                              f"of {to} (layer {to_layer}): against the layer order")
    faults += circles(unit_edges)
    return faults


def circles(edges):
    """Include circles between the units of one library, each named once."""
    faults, seen = [], set()
    for start in sorted(edges):
        stack = [(start, [start])]
        while stack:
            node, path = stack.pop()
            for nxt in sorted(edges.get(node, {})):
                if nxt == start:
                    circle = tuple(sorted(path))
                    if circle not in seen:
                        seen.add(circle)
                        where, number = edges[node][nxt]
                        names = " -> ".join(os.path.basename(p) for p in path + [start])
                        faults.append(f"{where}:{number}: include circle {names}")
                elif nxt not in path and len(path) < 8:
                    stack.append((nxt, path + [nxt]))
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(__file__))
    faults = check(os.path.abspath(root))
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) against the layer order", file=sys.stderr)
        return 1
    print("every include runs down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
