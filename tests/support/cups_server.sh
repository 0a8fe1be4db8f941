# A CUPS server of its own with a PDF printer (cups-pdf), for the program
# under Wine to print through the real spooler. Sourced by the CUPS printing
# test and by ./pelmo bench:
#
#   source tests/support/cups_server.sh
#   cups_server_start WORK_FOLDER || echo "skipped: $cups_server_skip"
#   ... print to the queue $cups_queue; the PDFs land in $cups_pdf_folder ...
#   cups_server_stop
#
# The server listens on a socket in WORK_FOLDER (CUPS_SERVER is exported for
# Wine's spooler) and needs root: the PDF printer's backend runs only as root.

cups_queue=PelmoPDF
cups_server_pid=""
cups_server_skip=""
# cups-pdf reads /etc/cups/cups-pdf-<name>.conf for the device cups-pdf:/<name>.
# The folder /etc is the machine's: a name of this shell's own, so that two
# runs at once (two build trees) never take or remove each other's, which
# would send the PDF to cups-pdf's default folder instead.
cups_pdf_name="pelmo$$"
cups_pdf_conf="/etc/cups/cups-pdf-$cups_pdf_name.conf"

cups_server_start() {
  local work
  work=$(realpath -m "$1")
  cups_pdf_folder="$work/pdf"
  if [ "$(id -u)" != 0 ]; then
    cups_server_skip="the PDF printer's backend runs only as root (run as root)"
    return 1
  fi
  local tool
  for tool in cupsd lpadmin pdfinfo pdftotext pdftoppm; do
    command -v "$tool" >/dev/null || {
      cups_server_skip="$tool is missing (./pelmo setup installs cups, printer-driver-cups-pdf and poppler-utils)"
      return 1
    }
  done
  [ -x /usr/lib/cups/backend/cups-pdf ] || { cups_server_skip="the cups-pdf backend is missing (printer-driver-cups-pdf)"; return 1; }
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -f "$ppd" ] || { cups_server_skip="$ppd is missing"; return 1; }

  rm -rf "$work"
  mkdir -p "$work"/{root,spool,cache,state,logs,pdf}
  chmod 0777 "$work/pdf"
  local socket="$work/cups.sock"
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
  printf 'Out %s\nAnonDirName %s\nLog %s\n' "$work/pdf" "$work/pdf" "$work/logs" >"$cups_pdf_conf"

  cupsd -f -c "$work/root/cupsd.conf" -s "$work/root/cups-files.conf" &
  cups_server_pid=$!
  export CUPS_SERVER="$socket"
  for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
  [ -S "$socket" ] || { cups_server_skip="cupsd did not start (see $work/logs/error_log)"; cups_server_stop; return 1; }
  lpadmin -p "$cups_queue" -E -v cups-pdf:/$cups_pdf_name -P "$ppd" -o PageSize=A4 \
    || { cups_server_skip="lpadmin could not add the PDF printer"; cups_server_stop; return 1; }
  lpadmin -d "$cups_queue"
}

# The first PDF of at least 1 KB once the queue is empty (waits up to a minute).
cups_printed_pdf() {
  local pdf=""
  for _ in $(seq 120); do
    pdf=$(find "$cups_pdf_folder" -name '*.pdf' -size +1k | head -n1)
    [ -n "$pdf" ] && ! lpstat -o "$cups_queue" 2>/dev/null | grep -q . && break
    sleep 0.5
  done
  printf '%s' "$pdf"
}

# Stops the server once its queue is empty (within half a minute): a job cut
# off in the middle leaves cups-pdf's spool files behind in /var/spool.
cups_server_stop() {
  if [ -n "$cups_server_pid" ]; then
    for _ in $(seq 60); do
      lpstat -o "$cups_queue" 2>/dev/null | grep -q . || break
      sleep 0.5
    done
    kill "$cups_server_pid" 2>/dev/null && wait "$cups_server_pid" 2>/dev/null
    cups_server_pid=""
  fi
  rm -f "$cups_pdf_conf"
}
