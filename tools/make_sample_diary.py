#!/usr/bin/python3
"""Writes a small diary into a data folder, for screenshots and for trying
the program out without typing a week of days first.

    /usr/bin/python3 tools/make_sample_diary.py FOLDER [DAYS]   (Debian's python3-dbf)

FOLDER receives the users table "ﾕｰｻﾞ.DBF" with one user, 山田花子 (number 0,
30 years, 160.0 cm, target 55.0 kg and 22 %), her diary "0.DAT" with DAYS
days (7 unless given) ending today, and her input items "ITEM0.DAT"
(body fat on). Run the program with PELMO_DATA_DIR=FOLDER (and a registry key
of its own, PELMO_REGISTRY_KEY) to open it.
"""

import math
import os
import struct
import sys
from datetime import date, timedelta

import dbf

HEADER_SIZE = 167
RECORD_SIZE = 15282
NAME = "山田花子"
MESSAGE = "夏までに3kgやせる！"
DIARIES = ["朝に30分歩いた。", "夕食は野菜を多めに。", "", "友人とランチ。少し食べすぎ。",
           "ストレッチを始めた。", "", "体が軽くなってきた。"]


def sjis(text, width):
    data = text.encode("cp932")[:width - 1]
    return data + b"\0" * (width - len(data))


def user_header(count):
    header = b"A" + struct.pack("<i", 0) + sjis(NAME, 31) + struct.pack("<i", 30) + bytes([1])
    header += struct.pack("<d", 160.0) + bytes([0])
    header += struct.pack("<dd", 55.0, 22.0) + struct.pack("<iiii", 0, 0, 0, 0)
    header += sjis(MESSAGE, 81) + struct.pack("<I", count)
    assert len(header) == HEADER_SIZE
    return header


def daily_record(day, weight, fat, diary):
    record = day.strftime("%Y%m%d").encode("ascii")
    record += struct.pack("<dddd", weight, 0.0, fat, 0.0) + bytes([0]) + struct.pack("<iI", 0, 0)
    record += b"\0" * (14281 - len(record))
    record += sjis(diary, 1001)
    assert len(record) == RECORD_SIZE
    return record


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    folder = sys.argv[1]
    days = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    os.makedirs(folder, exist_ok=True)
    table = dbf.Table(os.path.join(folder, "ﾕｰｻﾞ.DBF"), "番号 N(5,0); 氏名 C(30)", codepage="cp932",
                      dbf_type="db3")
    table.open(dbf.READ_WRITE)
    table.append((0, NAME))
    table.close()
    last = date.today()
    records = b""
    for i in range(days):
        day = last - timedelta(days=days - 1 - i)
        # A slow swing of a few kilograms: a long diary stays a plausible one.
        swing = math.cos(i * math.pi / 60)
        weight = 56.0 + 2.6 * swing + (0.3 if i % 3 == 2 else 0.0)
        fat = 25.5 + 1.9 * swing
        records += daily_record(day, round(weight, 1), round(fat, 1), DIARIES[i % len(DIARIES)])
    with open(os.path.join(folder, "0.DAT"), "wb") as f:
        f.write(user_header(days) + records)
    with open(os.path.join(folder, "ITEM0.DAT"), "wb") as f:
        f.write(bytes([1, 0, 0, 0, 0, 0, 0]))


if __name__ == "__main__":
    main()
