#!/bin/bash
# make-packages.sh ZENTRIK-VESMAR.EXE VERSION OUTDIR
# The two downloads for Windows users: a portable zip (the .exe, a short README in Russian and
# English, the licence texts; settings travel beside the .exe) and an NSIS installer.
set -euo pipefail
exe=${1:?usage: make-packages.sh ZENTRIK-VESMAR.EXE VERSION OUTDIR}
version=${2:?usage: make-packages.sh ZENTRIK-VESMAR.EXE VERSION OUTDIR}
out=${3:?usage: make-packages.sh ZENTRIK-VESMAR.EXE VERSION OUTDIR}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
qt_version=$(sed -n 's/^QT_VERSION=//p' "$root/tools/windows/build-qt.sh")
qt_source_version=$(sed -n 's/^QT_SOURCE_VERSION=//p' "$root/tools/windows/build-qt.sh")

# Text files in Windows' own line ends, so Notepad shows them as written.
crlf() { sed 's/\r*$/\r/' "$1"; }

name=zentrik-vesmar-$version-windows-x64
mkdir -p "$out"
out=$(cd "$out" && pwd)
files=$out/$name
rm -rf "$files"
mkdir -p "$files"
cp "$exe" "$files/zentrik-vesmar.exe"
crlf "$root/LICENSE" >"$files/LICENSE.txt"
sed "s/@VERSION@/$version/" "$here/README.txt" | crlf /dev/stdin >"$files/README.txt"
{
    sed -e "s/@QT_VERSION@/$qt_version/" -e "s/@QT_SOURCE_VERSION@/$qt_source_version/" "$here/Qt-NOTICE.txt"
    cat /usr/share/common-licenses/LGPL-3
} | crlf /dev/stdin >"$files/Qt-LGPL-3.txt"

rm -f "$out/$name.zip"
(cd "$out" && cmake -E tar cf "$name.zip" --format=zip -- "$name")

# The installer takes the same files and the icon for its own windows.
cp "$root/resources/zentrik-vesmar.ico" "$files/"
makensis -V2 -DVERSION="$version" -DFILES="$files" -DOUTFILE="$out/zentrik-vesmar-$version-setup.exe" \
    "$here/installer.nsi"
rm "$files/zentrik-vesmar.ico"
ls -l "$out/$name.zip" "$out/zentrik-vesmar-$version-setup.exe"
