#!/usr/bin/env bash
# Checks a built zentrik-vesmar .deb the way a camera owner's machine meets it: unpacked into a
# clean folder, it holds exactly the program and its desktop files, the menu entry and the
# AppStream data validate, lintian finds no error, and the installed program starts for an
# ordinary user and keeps its settings in that user's configuration folder.
#
#   packaging/check-package.sh PACKAGE.deb
#
# Runs as root (CI does): the program is started as nobody, for whom the program's folder is not
# writable, as it is not for a user of an installed package.
set -euo pipefail

deb=$(realpath "$1")
user=nobody
group=nogroup
run_seconds=3 # how long it must run on once its settings are written

# What the package installs, and nothing else: no test programs, static libraries or headers.
expected_files='./usr/bin/zentrik-vesmar
./usr/share/applications/zentrik-vesmar.desktop
./usr/share/doc/zentrik-vesmar/changelog.gz
./usr/share/doc/zentrik-vesmar/copyright
./usr/share/icons/hicolor/scalable/apps/zentrik-vesmar.svg
./usr/share/man/man1/zentrik-vesmar.1.gz
./usr/share/metainfo/com.example.ZentrikVesmar.metainfo.xml'

fail() {
  echo "check-package: $*" >&2
  exit 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/zentrik-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
chmod 755 "$work" # the unprivileged user must reach the unpacked program
root=$work/root
dpkg -x "$deb" "$root"

echo "check-package: $(basename "$deb"): $(stat -c %s "$deb") bytes," \
  "installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
depends=$(dpkg-deb -f "$deb" Depends)
echo "check-package: depends on $depends"
# The windows show PNG pictures; Qt Svg is needed only to draw them, on the build machine.
case "$depends" in
  *libqt6svg*) fail "the package depends on Qt Svg, which the program does not use" ;;
esac
dpkg-deb -c "$deb"

files=$(cd "$root" && find . ! -type d | LC_ALL=C sort)
if [ "$files" != "$expected_files" ]; then
  diff <(echo "$expected_files") <(echo "$files") >&2 || true
  fail "the package's files differ from the expected list (< expected, > found)"
fi

desktop-file-validate "$root/usr/share/applications/zentrik-vesmar.desktop"
# validate-tree also checks that the metainfo's launchable names an installed .desktop file.
appstreamcli validate-tree --no-net "$root"

echo "check-package: lintian"
lintian_status=0
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
# lintian warns about being run as root; that line is not about the package.
grep -v 'running with root privileges' "$work/lintian.log" || echo "check-package: lintian has no findings"
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors"

# A home of the user's own, with a private runtime folder, as a desktop session gives one.
home=$work/home
mkdir -p "$home/config" "$home/runtime"
chown -R "$user:$group" "$home"
chmod 700 "$home" "$home/runtime"

echo "check-package: starting the installed program as $user"
setpriv --reuid="$user" --regid="$group" --clear-groups \
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
  LANG=en_US.UTF-8 QT_QPA_PLATFORM=offscreen "$root/usr/bin/zentrik-vesmar" \
  >"$work/stdout" 2>"$work/stderr" </dev/null &
pid=$!
# QStandardPaths::AppConfigLocation: the configuration folder, then organisation and program name.
settings="$home/config/Zentrik/Zentrik Vesmar/Zentrik.ini"
# The settings are written as the windows are built; then the program must still be running.
for _ in $(seq 300); do
  [ -s "$settings" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
sleep "$run_seconds"
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  cat "$work/stderr" >&2
  fail "the program ended with status $status"
fi
kill -TERM "$pid"
wait "$pid" || true
if [ -s "$work/stderr" ]; then
  cat "$work/stderr" >&2
  fail "the program wrote to stderr"
fi

[ -s "$settings" ] || {
  find "$home" "$root/usr/bin" >&2
  fail "no Zentrik.ini in the user's configuration folder ($settings)"
}
[ "$(head -n 1 "$settings" | tr -d '\r')" = MD80 ] || fail "Zentrik.ini does not start with the first model"
[ ! -e "$root/usr/bin/Zentrik.ini" ] || fail "Zentrik.ini was written beside the installed program"
echo "check-package: the program ran; settings at ${settings#"$home"/}"
echo "check-package: all checks passed"
