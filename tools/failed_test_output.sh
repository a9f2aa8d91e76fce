#!/usr/bin/env bash
# Prints the output of every test that failed in a build folder's last ctest run, the end of
# each, so that a failure that happens once in many runs can still be read where a log is cut
# to its last lines.
#   tools/failed_test_output.sh BUILD-FOLDER [LINES]
set -u
log=${1:?usage: failed_test_output.sh BUILD-FOLDER [LINES]}/Testing/Temporary/LastTest.log
lines=${2:-40}
[ -f "$log" ] || exit 0
awk -v keep="$lines" '
  / Testing: / { name = $3; n = 0; inside = 0; next }
  /^Output:$/ { inside = 1; getline; next }
  /^<end of output>$/ { inside = 0; next }
  inside { out[n++] = $0; next }
  /^Test Failed\.$/ {
    print "---- the end of " name "'"'"'s output"
    for (i = (n > keep ? n - keep : 0); i < n; i++) print out[i]
  }' "$log"
