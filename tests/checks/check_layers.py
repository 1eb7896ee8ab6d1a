#!/usr/bin/env python3
"""Holds the program's layers: a source file includes only headers of its
own layer or the layers below it, and a feature never includes another
feature's page (a header whose source file uses ui/).

    base/  <  device/  <  ui/  <  settings/ pilot/ flights/ waypoints/  <  app/

Usage: check_layers.py [ROOT]   (prints every include that breaks a rule)
"""
import pathlib
import re
import sys

LAYERS = {"base": 0, "device": 1, "ui": 2, "settings": 3, "pilot": 3, "flights": 3, "waypoints": 3, "app": 4}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def includes(path):
    return INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace"))


def is_page(root, header):
    """A feature's page: its source file includes something of ui/."""
    source = (root / header).with_suffix(".cpp")
    return source.exists() and any(name.startswith("ui/") for name in includes(source))


def faults(root):
    for path in sorted(root.glob("*/*.[ch]*")):
        folder = path.parent.name
        if folder not in LAYERS or path.suffix not in (".h", ".cpp"):
            continue
        for name in includes(path):
            target = name.split("/")[0]
            if target not in LAYERS:
                continue
            where = f"{path.relative_to(root)}: #include \"{name}\""
            if LAYERS[target] > LAYERS[folder]:
                yield f"{where}: {target}/ is above {folder}/"
            elif LAYERS[folder] == 3 and target != folder and LAYERS[target] == 3 and is_page(root, name):
                yield f"{where}: another feature's page"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[2])
    found = list(faults(root))
    for fault in found:
        print(fault)
    print(f"{len(found)} includes across layers" if found else "every include keeps to its layer")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
