#!/usr/bin/env python3
"""Checks the compiled help file as another program reads it.

    python3 tools/check_help.py PELMOFREE.chm [7Z]

7-Zip (Debian's p7zip-full) lists and unpacks the .chm. Every topic that the
program opens must be there with the contents, the index and the window
"MyWin01"; every page must be Shift-JIS that says so, well-formed HTML with a
title and a heading, and every picture, style sheet and link it names must
be in the file. Exits non-zero with the faults found.
"""

import html.parser
import os
import re
import subprocess
import sys
import tempfile

TOPICS = ["welcome", "user1", "user2", "user3", "user4", "target", "item", "edit2", "backup", "restore", "table",
          "calendar", "bmichart", "graph", "copy", "color", "keys",
          "trend", "csv", "print"]
VOID = {"meta", "link", "img", "br", "hr", "input", "param", "col", "area", "base"}


class PageParser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.faults, self.targets = [], [], []
        self.title, self.in_title, self.h1, self.charset = "", False, False, ""

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "meta" and attrs.get("http-equiv", "").lower() == "content-type":
            self.charset = attrs.get("content", "")
        for name in ("href", "src"):
            if attrs.get(name):
                self.targets.append(attrs[name])
        self.in_title = tag == "title"
        self.h1 = self.h1 or tag == "h1"
        if tag not in VOID:
            self.stack.append((tag, self.getpos()[0]))

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack or self.stack[-1][0] != tag:
            self.faults.append("line %d: </%s> does not close <%s>" % (
                self.getpos()[0], tag, self.stack[-1][0] if self.stack else "nothing"))
            return
        self.stack.pop()
        self.in_title = False

    def handle_data(self, data):
        if self.in_title:
            self.title += data.strip()


def listing(chm, seven_zip):
    out = subprocess.run([seven_zip, "l", "-slt", chm], capture_output=True, text=True, errors="replace", check=True)
    return {line[7:] for line in out.stdout.splitlines() if line.startswith("Path = ")} - {chm}


def check_page(name, data, names):
    faults = []
    try:
        text = data.decode("cp932")
    except UnicodeDecodeError as error:
        return ["%s: not Shift-JIS at byte %d" % (name, error.start)]
    parser = PageParser()
    parser.feed(text)
    parser.close()
    faults += ["%s: %s" % (name, fault) for fault in parser.faults]
    if parser.stack:
        faults.append("%s: <%s> of line %d is never closed" % ((name,) + parser.stack[-1]))
    if not re.search(r"charset=Shift_JIS", parser.charset, re.I):
        faults.append("%s: does not say it is Shift_JIS" % name)
    if not parser.title or not parser.h1:
        faults.append("%s: no title or no heading" % name)
    for target in parser.targets:
        local = target.split("#")[0]
        if local and not re.match(r"[a-z]+:", local) and os.path.normpath(local) not in names:
            faults.append("%s: %s is not in the help file" % (name, target))
    return faults


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    chm = sys.argv[1]
    seven_zip = sys.argv[2] if len(sys.argv) > 2 else "7z"
    names = {os.path.normpath(n) for n in listing(chm, seven_zip)}
    faults = []
    for required in ["PELMOFREE.hhc", "PELMOFREE.hhk", "#WINDOWS", "#SYSTEM"] + [t + ".htm" for t in TOPICS]:
        if required not in names:
            faults.append("%s is not listed" % required)
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([seven_zip, "x", "-y", "-o" + folder, chm], capture_output=True, check=True)

        def read(name):
            with open(os.path.join(folder, name), "rb") as f:
                return f.read()
        for name in sorted(n for n in names if n.endswith(".htm")):
            faults += check_page(name, read(name), names)
        contents = read("PELMOFREE.hhc").decode("cp932", errors="replace")
        for topic in TOPICS:
            if '"%s.htm"' % topic not in contents:
                faults.append("the contents do not lead to %s.htm" % topic)
        if b"MyWin01" not in read("#STRINGS") or os.path.getsize(os.path.join(folder, "#WINDOWS")) < 8:
            faults.append("no window MyWin01")
    for fault in faults:
        print(fault)
    print("%s: %d entries, %d topics, %d faults" % (os.path.basename(chm), len(names), len(TOPICS), len(faults)))
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
