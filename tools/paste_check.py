#!/usr/bin/env python3
"""Pastes a 30-day diary into LibreOffice Calc as a person would, and checks
every cell.

    ./pelmo pastecheck            (installs what it needs, builds, then runs this)

Steps: a user with 30 days (none of them painted yet, so no BMI is stored) is
written into a data folder of its own; PelmoFree.exe starts under Wine on it
and opens that user; the toolbar button "まとめてコピー" is clicked and the
message box answered; the text is read from the X clipboard (Wine's clipboard
is the X clipboard) with xclip, loaded into LibreOffice Calc headless as
tab-separated text and saved as a spreadsheet, whose every cell is compared
with what the diary holds: header, dates, weights, body fat, BMI, BMI class
and both differences.

Environment (set by ./pelmo): DISPLAY, WINEPREFIX and the rest of Wine's,
PELMO_BUILD (the build folder). Pictures and files of the run are left in
$PELMO_BUILD/pastecheck/.
"""

import datetime
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zipfile
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dbase_table  # noqa: E402

BUILD = os.environ.get("PELMO_BUILD", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build"))
WORK = os.path.join(BUILD, "pastecheck")
DATA = os.path.join(WORK, "data")
REGISTRY_KEY = r"Software\KoroWorks\Pelmo free paste check"
WINE = "/usr/lib/wine/wine64"

NAME = "表計算　花子"
HEIGHT = 158.0
TARGET_WEIGHT = 52.0
TARGET_BODY_FAT = 24.0
FIRST_DAY = datetime.date(2024, 2, 15)  # the month turns, and 2024 has a 29 February

HEADER = ["日付", "体重(kg)", "体脂肪率(%)", "ＢＭＩ", "判定", "目標体重との差(kg)", "目標体脂肪率との差(%)"]
CLASSES = ["低体重\u3000", "普通体重", "肥満度１", "肥満度２", "肥満度３", "肥満度４"]
CLASS_LIMITS = [18.5, 25.0, 30.0, 35.0, 40.0]


def diary():
    """30 days: (date, weight, body fat). Body fat 0 is a day without it; the
    weights pass under the target and through several BMI classes."""
    days = []
    for i in range(30):
        weight = round(56.4 - 0.3 * i, 1)
        if i == 7:
            weight = 44.0      # underweight: 低体重 with its ideographic space
        if i == 11:
            weight = 75.0      # 肥満度２
        if i == 12:
            weight = 63.0      # 肥満度１
        body_fat = 0.0 if i % 4 == 3 else round(29.5 - 0.2 * i, 1)
        days.append((FIRST_DAY + datetime.timedelta(days=i), weight, body_fat))
    return days


# ------------------------------------------------------------------ the files

def user_header(count):
    name = NAME.encode("cp932")
    message = "春までに4kg".encode("cp932")
    return struct.pack("<ci31siBdBddiiii81sI", b"A", 1, name, 34, 1, HEIGHT, 2, TARGET_WEIGHT, TARGET_BODY_FAT,
                       0, 0, 0, 0, message, count)


def daily_record(date, weight, body_fat):
    record = struct.pack("<8sdddd B i I", date.strftime("%Y%m%d").encode("ascii"), weight, 0.0, body_fat, 0.0, 0, 0, 0)
    record += bytes(7904) + bytes(16) + struct.pack("<I", 0) + bytes(6304) + struct.pack("<I", 0)
    record += "日記".encode("cp932").ljust(1001, b"\0")
    assert len(record) == 15282
    return record


def write_diary(days):
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(DATA)
    header = user_header(len(days))
    assert len(header) == 167
    with open(os.path.join(DATA, "1.DAT"), "wb") as out:
        out.write(header + b"".join(daily_record(*day) for day in days))
    with open(os.path.join(DATA, "ITEM1.DAT"), "wb") as out:
        out.write(bytes([1, 0, 0, 0, 0, 0, 0]))
    users = dbase_table.table_bytes([("番号", "N", 5), ("氏名", "C", 30)], [(1, NAME)])
    with open(os.path.join(DATA, "ﾕｰｻﾞ.DBF"), "wb") as out:
        out.write(users)


# ------------------------------------------------------------------ the program

def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\") + "\\"


def wine_environment():
    env = dict(os.environ)
    env["PELMO_DATA_DIR"] = windows_path(DATA)
    env["PELMO_REGISTRY_KEY"] = REGISTRY_KEY
    return env


def run(command, **kwargs):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE, **kwargs)


def screenshot(name):
    path = os.path.join(WORK, name)
    run(["import", "-window", "root", path])
    return path


def xdotool(*arguments):
    run(["xdotool"] + list(arguments))


def wait_for(condition, seconds, what):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return
        time.sleep(0.5)
    raise SystemExit("paste check: gave up waiting for " + what)


def copy_with_the_toolbar(env):
    """Starts the program on the diary, clicks まとめてコピー, answers the box.
    Returns the program's process."""
    subprocess.run([WINE, "reg", "add", "HKCU\\" + REGISTRY_KEY + "\\Settings", "/v", "UserName", "/d", NAME, "/f"],
                   env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    exe = os.path.join(BUILD, "win", "PelmoFree.exe")
    program = subprocess.Popen([WINE, exe], env=env, cwd=os.path.dirname(exe),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Start-up writes the food-category cache while the splash is shown; the
    # window comes a moment later.
    wait_for(lambda: os.path.exists(os.path.join(DATA, "分類2.DAT")), 60, "the program's start")
    time.sleep(6)
    screenshot("1-started.png")
    x, y = TOOLBAR_COPY_BUTTON
    xdotool("mousemove", str(x), str(y), "click", "1")
    time.sleep(2)
    screenshot("2-copied-message.png")
    xdotool("key", "Return")
    time.sleep(1)
    screenshot("3-after.png")
    return program


# The toolbar's copy button on the maximized frame of the 1280 x 1024 desktop:
# the fourth slot (new user, open user, separator, copy), 46 pixels a button.
TOOLBAR_COPY_BUTTON = (125, 45)


def read_clipboard():
    targets = run(["xclip", "-o", "-selection", "clipboard", "-t", "TARGETS"]).stdout.decode()
    if "UTF8_STRING" not in targets.split():
        raise SystemExit("paste check: the clipboard offers no UTF8_STRING, only: " + targets)
    return run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"]).stdout


# ------------------------------------------------------------------ Calc

OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
TEXT = "urn:oasis:names:tc:opendocument:xmlns:text:1.0"


def load_into_calc(tsv_path):
    """Calc imports the text as a person's paste does (tab-separated, UTF-8,
    Japanese locale, dates and numbers recognised) and saves a spreadsheet."""
    profile = "file://" + os.path.join(WORK, "office-profile")
    run(["soffice", "-env:UserInstallation=" + profile, "--headless", "--norestore",
         "--infilter=CSV:9,34,76,1,,1041,false,true", "--convert-to", "ods", "--outdir", WORK, tsv_path],
        timeout=300)
    return os.path.splitext(tsv_path)[0] + ".ods"


def sheet_cells(ods_path):
    """Rows of (type, value) cells of the first sheet, trailing empty cells cut."""
    with zipfile.ZipFile(ods_path) as ods:
        root = ET.fromstring(ods.read("content.xml"))
    table = root.find(".//{%s}table" % TABLE)
    rows = []
    for row in table.iter("{%s}table-row" % TABLE):
        cells = []
        for cell in row:
            if cell.tag not in ("{%s}table-cell" % TABLE, "{%s}covered-table-cell" % TABLE):
                continue
            kind = cell.get("{%s}value-type" % OFFICE)
            if kind == "float":
                value = float(cell.get("{%s}value" % OFFICE))
            elif kind == "date":
                value = cell.get("{%s}date-value" % OFFICE)
            elif kind is None:
                value = None
            else:
                value = "".join("".join(p.itertext()) for p in cell.findall("{%s}p" % TEXT))
            repeat = int(cell.get("{%s}number-columns-repeated" % TABLE, "1"))
            cells.extend([(kind, value)] * min(repeat, 64))
        while cells and cells[-1][0] is None:
            cells.pop()
        repeat = int(row.get("{%s}number-rows-repeated" % TABLE, "1"))
        if cells:
            rows.extend([cells] * repeat)
    return rows


def bmi_class(bmi):
    return CLASSES[sum(1 for limit in CLASS_LIMITS if bmi >= limit)]


def expected_rows(days):
    rows = [[("string", text) for text in HEADER]]
    for date, weight, body_fat in days:
        bmi = weight / (HEIGHT * HEIGHT) * 10000.0
        row = [("date", date.isoformat()), ("float", float("%.1f" % weight)),
               ("float", float("%.1f" % body_fat)) if body_fat else (None, None),
               ("float", float("%.1f" % bmi)), ("string", bmi_class(bmi)),
               ("float", float("%.1f" % (weight - TARGET_WEIGHT))),
               ("float", float("%.1f" % (body_fat - TARGET_BODY_FAT))) if body_fat else (None, None)]
        while row and row[-1][0] is None:
            row.pop()
        rows.append(row)
    return rows


def compare(expected, found):
    problems = []
    if len(found) != len(expected):
        problems.append("%d rows in the sheet, %d expected" % (len(found), len(expected)))
    cells = 0
    for r, (want_row, got_row) in enumerate(zip(expected, found), start=1):
        width = max(len(want_row), len(got_row), len(HEADER))
        for c in range(width):
            want = want_row[c] if c < len(want_row) else (None, None)
            got = got_row[c] if c < len(got_row) else (None, None)
            cells += 1
            if want != got:
                problems.append("row %d column %d (%s): expected %r, found %r" % (r, c + 1, HEADER[c % 7], want, got))
    return cells, problems


def main():
    days = diary()
    write_diary(days)
    env = wine_environment()
    program = copy_with_the_toolbar(env)
    try:
        text = read_clipboard()
    finally:
        program.kill()
        program.wait()
    tsv = os.path.join(WORK, "pasted.tsv")
    with open(tsv, "wb") as out:
        out.write(text)
    # Wine hands X programs Unix line ends; the program's own CR LF is tested in its Win32 tests.
    lines = text.decode("utf-8").splitlines()
    print("paste check: %d bytes of UTF-8 text on the X clipboard, %d lines" % (len(text), len(lines)))
    print("paste check: first line: " + lines[0].replace("\t", " | "))
    found = sheet_cells(load_into_calc(tsv))
    cells, problems = compare(expected_rows(days), found)
    for problem in problems:
        print("paste check: " + problem)
    print("paste check: %d rows x %d columns, %d cells compared, %d wrong" %
          (len(found), len(HEADER), cells, len(problems)))
    print("paste check: screenshots and the sheet are in " + WORK)
    print("%d passed, %d failed" % (cells - len(problems), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
