#!/usr/bin/env python3
"""Compiles the help file PELMOFREE.chm from the pages in help/.

    python3 tools/build_help.py HELP_DIR OUT_DIR [CHMCMD]

The pages, the contents (.hhc), the index (.hhk) and the project (.hhp) are
kept in UTF-8; the help viewer of Japanese Windows reads them in Shift-JIS
(code page 932), so they are written to OUT_DIR in CP932 (a character that
Shift-JIS cannot hold stops the build) and compiled there with chmcmd
(Free Pascal's CHM compiler, Debian's fp-utils). Pictures and the style sheet
are copied as they are.
"""

import os
import shutil
import subprocess
import sys

TEXT_SUFFIXES = (".htm", ".hhc", ".hhk", ".hhp")


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


if __name__ == "__main__":
    main()
