#!/bin/bash
# check-packages.sh OUTDIR VERSION: the Windows downloads under Wine, in the prefix build.sh
# prepares. The zip holds what a user needs; the installer, run silently, puts the program and
# its Start-menu entry in place and the installed program starts; the uninstaller removes them
# and leaves the user's Zentrik.ini.
set -u
out=${1:?usage: check-packages.sh OUTDIR VERSION}
version=${2:?usage: check-packages.sh OUTDIR VERSION}
[ -n "${WINEPREFIX:-}" ] || { echo "check-packages.sh: run it through ./build.sh windows-package"; exit 2; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

name=zentrik-vesmar-$version-windows-x64
listing=$(cd "$out" && cmake -E tar tf "$name.zip")
for file in zentrik-vesmar.exe README.txt LICENSE.txt Qt-LGPL-3.txt; do
    grep -qx "$name/$file" <<<"$listing" || fail "the zip lacks $file"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-setup.XXXXXX")
# shellcheck source=../../tests/common/xvfb.sh
. "$(dirname "$0")/../../tests/common/xvfb.sh"
[ -n "${DISPLAY:-}" ] || start_xvfb "$work" # the one Wine's prefix started with, if any
trap 'wine taskkill /im zentrik-vesmar.exe >/dev/null 2>&1; kill ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT

installed="$WINEPREFIX/drive_c/Program Files/Zentrik Vesmar"
entry="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zentrik Vesmar.lnk"
wait_for() { # SECONDS TEST...
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}

wine "$out/zentrik-vesmar-$version-setup.exe" /S >/dev/null 2>&1
[ -f "$installed/zentrik-vesmar.exe" ] || fail "the installer put no program under Program Files"
[ -f "$entry" ] || fail "the installer made no Start-menu entry"
[ -f "$installed/uninstall.exe" ] || fail "the installer wrote no uninstaller"

LANG=en_US.UTF-8 wine "$installed/zentrik-vesmar.exe" >/dev/null 2>&1 &
shown() { xdotool search --onlyvisible --name "^Zentrik Vesmar by Dalvenor$" >/dev/null 2>&1; }
wait_for 30 shown || fail "the installed program showed no window"
settings=$(find "$installed" "$WINEPREFIX/drive_c/users" -name Zentrik.ini 2>/dev/null | head -n 1)
[ -n "$settings" ] || fail "the installed program wrote no Zentrik.ini"
wine taskkill /im zentrik-vesmar.exe >/dev/null 2>&1
wait_for 10 bash -c '! xdotool search --onlyvisible --name "^Zentrik Vesmar by Dalvenor$" >/dev/null 2>&1'

# The uninstaller copies itself away and runs from there: wait for its work to show.
wine "$installed/uninstall.exe" /S >/dev/null 2>&1
gone() { [ ! -e "$installed/zentrik-vesmar.exe" ] && [ ! -e "$installed/uninstall.exe" ]; }
wait_for 30 gone || fail "the uninstaller left the program behind"
[ ! -e "$entry" ] || fail "the uninstaller left the Start-menu entry"
[ -z "$settings" ] || [ -f "$settings" ] || fail "the uninstaller removed the user's Zentrik.ini"

[ "$failures" -eq 0 ] || { echo "check-packages.sh: $failures failed"; exit 1; }
echo "check-packages.sh: PASS (zip $(stat -c %s "$out/$name.zip") bytes, installer $(stat -c %s "$out/zentrik-vesmar-$version-setup.exe") bytes)"
