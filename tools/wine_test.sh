#!/bin/bash
# Runs a Windows test executable under Wine for ctest. Under a loaded machine a
# Wine process now and then dies before the program runs, printing nothing and
# failing: such a run (no output at all) is tried once more. A test that ran
# and failed prints its failure and is never repeated.
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
/usr/lib/wine/wine64 "$@" >"$out" 2>&1
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$out" ]; then
  echo "(Wine ended before the program ran, status $status: once more)"
  /usr/lib/wine/wine64 "$@" >"$out" 2>&1
  status=$?
fi
cat "$out"
exit "$status"
