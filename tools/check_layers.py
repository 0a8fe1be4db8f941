#!/usr/bin/env python3
"""Checks that the includes of src/ run down the layers of docs/architecture.md.

    python3 tools/check_layers.py [SRC_FOLDER]

A file may include headers of its own folder and of folders of a lower layer,
never of a higher one nor of another folder of the same layer. Win32 headers
(windows.h and its kin) stand only in the Win32 places below; everywhere else a
file builds natively, so it may not include a header of a Win32 place either,
nor show a message box (the portable core returns notices instead).
Exits 0 when the tree keeps to this, else prints one line per fault and exits 1.
"""

import os
import re
import sys

# Folder: layer. A new folder of src/ is added here (and to docs/architecture.md).
LAYERS = {
    "corelib": 0,
    "resources": 1,
    "diary": 2,
    "evaluation": 3,
    "charts": 4,
    "backup": 4,
    "appearance": 5,
    "export": 4,
    "view": 5,
    "report": 6,
    "shell": 7,
}

# Where windows, dialogs and painters live: the only places that may include
# Win32 headers. A folder listed whole is Win32 throughout; in the others the
# portable files stand at the top and the Win32 ones in the named subfolder.
WIN32_PLACES = (
    "corelib/win32/",
    "diary/dialogs/",
    "charts/painters/",
    "backup/dialogs/",
    "export/clipboard/",
    "export/files/",
    "report/printing/",
    "appearance/",
    "view/",
    "shell/",
)

WIN32_HEADERS = {
    "windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h",
    "mmsystem.h", "imm.h", "htmlhelp.h", "winreg.h", "winuser.h", "wingdi.h", "winbase.h",
}

# Headers a portable file outside corelib may not include, and why.
WIN32_ONLY_USE = {
    "corelib/msgbox.h": "the portable core shows no message box: it returns a Notice (corelib/notice.h)",
}

SOURCE_ENDINGS = (".h", ".cpp", ".inc", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_order():
    ranks = sorted(set(LAYERS.values()))
    return " < ".join("|".join(sorted(f for f, r in LAYERS.items() if r == rank)) for rank in ranks)


def is_win32_place(path):
    # Resource scripts are compiled for Windows only.
    return path.endswith(".rc") or any(path.startswith(place) for place in WIN32_PLACES)


def check_file(src, path, faults):
    folder = path.split("/", 1)[0]
    if folder not in LAYERS:
        faults.append(f"src/{path}: folder '{folder}' has no layer: add it to LAYERS in tools/check_layers.py")
        return
    with open(os.path.join(src, path), encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, header = match.groups()
            where = f"src/{path}:{number}: includes {bracket}{header}{'>' if bracket == '<' else bracket}"
            if bracket == "<" or "/" not in header:
                if header.lower() in WIN32_HEADERS and not is_win32_place(path):
                    faults.append(f"{where}: a Win32 header in a file that builds natively")
                continue
            target = header.split("/", 1)[0]
            if target not in LAYERS:
                faults.append(f"{where}: '{target}' is no folder of src/ with a layer")
                continue
            if target != folder and LAYERS[target] >= LAYERS[folder]:
                way = "up" if LAYERS[target] > LAYERS[folder] else "sideways"
                faults.append(f"{where}: runs {way}: {folder} (layer {LAYERS[folder]}) may not include "
                              f"{target} (layer {LAYERS[target]}); layers: {layer_order()}")
            elif is_win32_place(header) and not is_win32_place(path):
                faults.append(f"{where}: a header of a Win32 place in a file that builds natively")
            elif header in WIN32_ONLY_USE and folder != "corelib" and not is_win32_place(path):
                faults.append(f"{where}: {WIN32_ONLY_USE[header]}")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    src = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src"))
    faults = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if name.endswith(SOURCE_ENDINGS):
                path = os.path.relpath(os.path.join(root, name), src).replace(os.sep, "/")
                if "/" in path:
                    check_file(src, path, faults)
    for fault in sorted(faults):
        print(fault)
    if faults:
        print(f"check_layers: {len(faults)} include(s) break the layers ({layer_order()}); "
              f"Win32 only in {', '.join(WIN32_PLACES)}; see docs/architecture.md")
        return 1
    print("check_layers: every include of src/ keeps to the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
