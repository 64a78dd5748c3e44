#!/usr/bin/env python3
"""Checks that every program folder includes only itself and the folders below it, and that
the computation folders include no Qt header.

Usage: python3 tools/check_layers.py [ROOT]   (ROOT defaults to the source tree)
Prints one line per offending include and exits with 1 when there is any.
"""
import pathlib
import re
import sys

# Folders from the bottom up; folders of one rank must not include each other.
LAYERS = {
    "base": 0,
    "astro": 1,
    "eclipse": 2,
    "calendars": 3,
    "reports": 4,
    "config": 5,
    "dialogs": 6,
    "maps": 6,
    "app": 7,
    "cli": 7,
}
# Everything below the dialogs is plain C++ without Qt.
LAST_QT_FREE_RANK = LAYERS["config"]

LOCAL_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')
SYSTEM_INCLUDE = re.compile(r'^\s*#\s*include\s+<(Q[A-Za-z]*|qt[^>]*)')


def violations(root):
    for folder, rank in sorted(LAYERS.items(), key=lambda item: item[1]):
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
                where = f"{path.relative_to(root)}:{number}"
                local = LOCAL_INCLUDE.match(line)
                if local:
                    target = local.group(1)
                    if target not in LAYERS:
                        yield f"{where}: includes {target}/, which is not a program folder"
                    elif target != folder and LAYERS[target] >= rank:
                        yield f"{where}: {folder}/ includes {target}/, which is not below it"
                if rank <= LAST_QT_FREE_RANK and SYSTEM_INCLUDE.match(line):
                    yield f"{where}: {folder}/ is free of Qt but includes a Qt header"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    found = list(violations(root.resolve()))
    for line in found:
        print(line)
    print(f"{len(found)} upward or Qt includes")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
