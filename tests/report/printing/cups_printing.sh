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
skip() {
  echo "CUPS printing test skipped: $*"
  exit 77
}

[ "$(id -u)" = 0 ] || skip "the PDF printer's backend runs only as root (run the tests as root)"
for tool in cupsd lpadmin pdfinfo pdftotext pdftoppm; do
  command -v "$tool" >/dev/null || skip "$tool is missing (./pelmo setup installs cups, printer-driver-cups-pdf and poppler-utils)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is missing (printer-driver-cups-pdf)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || skip "$ppd is missing"

queue=PelmoPDF
# cups-pdf reads /etc/cups/cups-pdf-<name>.conf for the device cups-pdf:/<name>.
pdf_conf=/etc/cups/cups-pdf-pelmotest.conf
rm -rf "$work"
mkdir -p "$work"/{root,spool,cache,state,logs,pdf}
chmod 0777 "$work/pdf"
socket="$work/cups.sock"
cat >"$work/root/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/root/cups-files.conf" <<CONF
ServerRoot $work/root
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/spool
AccessLog $work/logs/access_log
ErrorLog $work/logs/error_log
PageLog $work/logs/page_log
SystemGroup root
CONF
printf 'Out %s\nAnonDirName %s\nLog %s\n' "$work/pdf" "$work/pdf" "$work/logs" >"$pdf_conf"

cupsd -f -c "$work/root/cupsd.conf" -s "$work/root/cups-files.conf" &
cupsd_pid=$!
stop() {
  kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -f "$pdf_conf"
}
trap stop EXIT
trap 'exit 130' INT TERM HUP
export CUPS_SERVER="$socket"
for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
[ -S "$socket" ] || skip "cupsd did not start (see $work/logs/error_log)"
lpadmin -p "$queue" -E -v cups-pdf:/pelmotest -P "$ppd" -o PageSize=A4 || skip "lpadmin could not add the PDF printer"
lpadmin -d "$queue"

# The program prints through the spooler and writes what the pages must show.
expected="$work/expected.txt"
PELMO_CUPS_PRINTER="$queue" PELMO_CUPS_EXPECTED="$(printf 'Z:%s' "$expected" | sed 's|/|\\|g')" \
  "${PELMO_WINE:-/usr/lib/wine/wine64}" "$test_executable" --gtest_filter='CupsPrinting*' || exit 1

pdf=""
for _ in $(seq 120); do
  pdf=$(find "$work/pdf" -name '*.pdf' -size +1k | head -n1)
  [ -n "$pdf" ] && ! lpstat -o "$queue" 2>/dev/null | grep -q . && break
  sleep 0.5
done
[ -n "$pdf" ] || { echo "no PDF came out of the queue"; tail -n 20 "$work/logs/error_log"; exit 1; }
echo "printed: $pdf"
python3 "$(dirname "$0")/check_printed_pdf.py" "$pdf" "$expected" "$work/pages"
