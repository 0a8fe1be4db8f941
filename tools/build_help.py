#!/usr/bin/env python3
"""Compiles the help file PELMOFREE.chm from the pages in help/, and packs the
same pages for a web browser into PELMOFREE.pages.

    python3 tools/build_help.py HELP_DIR OUT_DIR [CHMCMD]

The pages, the contents (.hhc), the index (.hhk) and the project (.hhp) are
kept in UTF-8; the help viewer of Japanese Windows reads them in Shift-JIS
(code page 932), so they are written to OUT_DIR in CP932 (a character that
Shift-JIS cannot hold stops the build) and compiled there with chmcmd
(Free Pascal's CHM compiler, Debian's fp-utils). Pictures and the style sheet
are copied as they are.

PELMOFREE.pages holds the pages, pictures and style sheet as they went into
the .chm (without its contents, index and project), for the program to write
into the data folder where no help viewer can show the .chm (under Wine):
"PLHP", then for each file its name (relative, "/" between folders) as a
16-bit length and the bytes, its size in 32 bits and its bytes; little-endian.
"""

import os
import shutil
import struct
import subprocess
import sys

TEXT_SUFFIXES = (".htm", ".hhc", ".hhk", ".hhp")
PROJECT_SUFFIXES = (".hhc", ".hhk", ".hhp")


def write_pages(stage, out):
    """The staged pages for a browser, in one file (see above)."""
    data = bytearray(b"PLHP")
    for folder, _, files in sorted(os.walk(stage)):
        for name in sorted(files):
            if name.endswith(PROJECT_SUFFIXES) or name.endswith(".chm"):
                continue
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, stage).replace(os.sep, "/").encode("ascii")
            body = open(path, "rb").read()
            data += struct.pack("<H", len(relative)) + relative + struct.pack("<I", len(body)) + body
    fresh = os.path.join(out, "PELMOFREE.pages.new")
    open(fresh, "wb").write(data)
    os.replace(fresh, os.path.join(out, "PELMOFREE.pages"))


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    source, out = sys.argv[1], sys.argv[2]
    chmcmd = sys.argv[3] if len(sys.argv) > 3 else "chmcmd"
    stage = os.path.join(out, "pages")
    shutil.rmtree(stage, ignore_errors=True)
    for folder, _, files in os.walk(source):
        for name in files:
            path = os.path.join(folder, name)
            target = os.path.join(stage, os.path.relpath(path, source))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            if name.endswith(TEXT_SUFFIXES):
                text = open(path, encoding="utf-8").read()
                try:
                    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
                except UnicodeEncodeError as error:
                    raise SystemExit("%s: %s cannot be written in Shift-JIS" % (path, text[error.start:error.end]))
                open(target, "wb").write(data)
            else:
                shutil.copyfile(path, target)
    result = subprocess.run([chmcmd, "--no-html-scan", "PELMOFREE.hhp"], cwd=stage, capture_output=True, text=True,
                            errors="replace")
    chm = os.path.join(stage, "PELMOFREE.chm")
    if result.returncode != 0 or not os.path.exists(chm):
        sys.stderr.write(result.stdout + result.stderr)
        raise SystemExit("chmcmd could not compile the help file")
    os.replace(chm, os.path.join(out, "PELMOFREE.chm"))
    write_pages(stage, out)


if __name__ == "__main__":
    main()
