#!/usr/bin/env bash
# Starts PelmoFree under Wine on a sample diary of its own (a week of days of
# 山田花子, tools/make_sample_diary.py), apart from the real settings and data,
# for looking at the program and taking screenshots.
#
#   tools/sample_run.sh [DPI] [SCHEME] [DAYS]    e.g. tools/sample_run.sh 144 7
#
# DPI sets Wine's "LogPixels" in the project's prefix (96 when not given) and
# SCHEME the colour scheme ("SYSCOLOR"), DAYS the length of the diary (7
# unless given; more than a year shows the years in the record table). The program runs in the background;
# take pictures with ./pelmo screenshot FILE.png and stop it with
# tools/sample_run.sh stop (which also returns the prefix to 96 DPI).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${PELMO_BUILD:-$top/build}")"
sample="$build/sample"
key='Software\KoroWorks\Pelmo sample'

wine() { "$top/pelmo" wine "$@"; }

if [ "${1:-}" = stop ]; then
  [ -f "$sample/pid" ] && kill "$(cat "$sample/pid")" 2>/dev/null || true
  rm -f "$sample/pid"
  # The tests expect the prefix's own 96 DPI again.
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  exit 0
fi
dpi="${1:-96}"
scheme="${2:-0}"
days="${3:-7}"

rm -rf "$sample/data"
/usr/bin/python3 "$top/tools/make_sample_diary.py" "$sample/data" "$days"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add "HKCU\\$key\\Settings" /v UserName /t REG_SZ /d '山田花子' /f >/dev/null 2>&1
wine reg add "HKCU\\$key\\Settings" /v SYSCOLOR /t REG_SZ /d "$scheme" /f >/dev/null 2>&1
# The line graph of weight and body fat over 90 days, as the help pictures show it.
wine reg add "HKCU\\$key\\Settings" /v LINEGRAPH1 /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add "HKCU\\$key\\Settings" /v LINEGRAPH2 /t REG_SZ /d 2 /f >/dev/null 2>&1
wine reg add "HKCU\\$key\\Settings" /v LINEGRAPH3 /t REG_SZ /d 4 /f >/dev/null 2>&1
# The font size follows LogPixels only in a fresh wineserver.
WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
export PELMO_DATA_DIR="Z:$(printf '%s' "$sample/data/" | sed 's|/|\\|g')"
export PELMO_REGISTRY_KEY="$key"
cd "$build/win"
"$top/pelmo" wine PelmoFree.exe >/dev/null 2>&1 &
echo $! > "$sample/pid"
