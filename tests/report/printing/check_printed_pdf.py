#!/usr/bin/env python3
"""Reads a printed report's PDF back and checks it against what the program
said its pages hold.

    check_printed_pdf.py PDF EXPECTED PNG_PREFIX

EXPECTED (Shift-JIS, as the program writes it): a line "pages N", then lines
"page P TEXT": TEXT must stand on page P. The pages are also rendered to
PNG_PREFIX-P.png at 50 dpi for a person to look at. Exits 1 naming each miss.
"""
import re
import subprocess
import sys


def main(pdf, expected_file, png_prefix):
    with open(expected_file, encoding="cp932") as source:
        lines = [line.rstrip("\r\n") for line in source if line.strip()]
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    faults = []
    want_pages = int(lines[0].split()[1])
    if pages != want_pages:
        faults.append(f"the PDF has {pages} pages, the report {want_pages}")
    texts = {}
    for page in range(1, pages + 1):
        out = subprocess.run(["pdftotext", "-layout", "-f", str(page), "-l", str(page), pdf, "-"],
                             capture_output=True, check=True).stdout.decode("utf-8", "replace")
        texts[page] = re.sub(r"\s+", " ", out)
    for line in lines[1:]:
        _, page, text = line.split(" ", 2)
        page = int(page)
        if page > pages or re.sub(r"\s+", " ", text) not in texts[page]:
            faults.append(f"page {page}: {text!r} missing")
    subprocess.run(["pdftoppm", "-r", "50", "-png", pdf, png_prefix], check=True)
    for fault in faults:
        print(fault)
    print(f"{pages} pages, {len(lines) - 1} texts checked, {len(faults)} missing")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
