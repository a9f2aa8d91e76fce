#!/usr/bin/env bash
# card_ejector_test.sh TEST_PROGRAM MOCK_TEMPLATE: the card ejector's test against UDisks2
# simulated by python3-dbusmock on a private system bus, then on that bus without it, then with
# no bus at all. Exits 77 (skipped) without dbus-daemon or python3-dbusmock.
set -euo pipefail
test_program=$1
command -v dbus-daemon >/dev/null 2>&1 || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
# Debian's python3-dbusmock is in the system's Python, whichever python3 comes first in PATH.
for python in python3 /usr/bin/python3 none; do
    "$python" -c 'import dbusmock' >/dev/null 2>&1 && break
done
[ "$python" != none ] || { echo "SKIP: python3-dbusmock is not installed"; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-eject.XXXXXX")
bus_pid=""
mock_pid=""
trap 'kill $mock_pid $bus_pid 2>/dev/null; rm -rf "$work"' EXIT
# A bus of the system's kind on which this user may own UDisks2's name.
cat >"$work/bus.conf" <<EOF_CONF
<busconfig>
  <type>system</type>
  <listen>unix:dir=$work</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/>
  </policy>
</busconfig>
EOF_CONF
dbus-daemon --config-file="$work/bus.conf" --fork --print-address=1 --print-pid=1 >"$work/bus"
export DBUS_SYSTEM_BUS_ADDRESS
DBUS_SYSTEM_BUS_ADDRESS=$(sed -n 1p "$work/bus")
bus_pid=$(sed -n 2p "$work/bus")

"$python" -m dbusmock --system --template "$2" >"$work/mock.log" 2>&1 &
mock_pid=$!
ZV_TEST_UDISKS2=simulated "$test_program" eachAnswerOfUDisks2BecomesItsOutcome || { cat "$work/mock.log"; exit 1; }
kill "$mock_pid"
wait "$mock_pid" 2>/dev/null || true
export ZV_TEST_UDISKS2=absent
"$test_program" withoutUDisks2NothingCanEjectAndNothingWaits
DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/nobody-listens" "$test_program" withoutUDisks2NothingCanEjectAndNothingWaits
