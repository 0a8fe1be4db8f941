#!/usr/bin/env bash
# Prints a report through the real path: the program's print run under Wine,
# the Windows spooler, a CUPS server of this test's own with a PDF printer
# (cups-pdf), and reads the PDF back (pdfinfo, pdftotext, pdftoppm).
#
#   cups_printing.sh TEST_EXECUTABLE WORK_FOLDER
#
# The server is started here, on a socket in WORK_FOLDER, and always stopped
# afterwards. Exits 77 (skipped) with a message where it cannot be started.
set -u
test_executable=$1
work=$(realpath -m "$2")
here=$(dirname "$0")
# shellcheck source=../../support/cups_server.sh
source "$here/../../support/cups_server.sh"

trap cups_server_stop EXIT
trap 'exit 130' INT TERM HUP
if ! cups_server_start "$work"; then
  echo "CUPS printing test skipped: $cups_server_skip"
  exit 77
fi

# The program prints through the spooler and writes what the pages must show.
expected="$work/expected.txt"
PELMO_CUPS_PRINTER="$cups_queue" PELMO_CUPS_EXPECTED="$(printf 'Z:%s' "$expected" | sed 's|/|\\|g')" \
  "${PELMO_WINE:-/usr/lib/wine/wine64}" "$test_executable" --gtest_filter='CupsPrinting*' || exit 1

pdf=$(cups_printed_pdf)
[ -n "$pdf" ] || { echo "no PDF came out of the queue"; tail -n 20 "$work/logs/error_log"; exit 1; }
echo "printed: $pdf"
python3 "$here/check_printed_pdf.py" "$pdf" "$expected" "$work/pages"
