#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows (MinGW-w64, posix threads) from Debian's own qt6-base
# source, the same version as the host's Qt, which the cross build needs as its host Qt.
# Installs into a cache folder outside the checkout, keyed by the version and the options, and
# reuses it while its check passes. Prints the installed prefix on its last line.
#
#   tools/windows/build-qt.sh            build if the cache lacks it, then print the prefix
#   tools/windows/build-qt.sh --prefix   only print where the prefix is (or would be)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

QT_VERSION=6.4.2
QT_SOURCE_VERSION=6.4.2+dfsg-10
TRIPLE=x86_64-w64-mingw32

# What the program and its window tests need: Core, Gui, Widgets, Test, the Windows platform,
# the windowsvista style, PNG pictures. The window tests run on the Windows platform itself under
# Wine: Qt's offscreen platform would need FreeType, which Windows does not use. The +dfsg tarball
# lacks sqlite and wintab, hence no SQL and no tablet events. Everything the program never shows
# is left out, which shortens the build from a bare machine: Qt Network (copies of the program
# talk through a named pipe of their own), HarfBuzz (the windows show Latin and Cyrillic only,
# which the font engine's own glyph advances and kerning lay out), the Direct2D platform (a
# second copy of the Windows one; DirectWrite 3 goes with it, or the link breaks), the graphics
# view, ICO images (the icon lives in the .exe's resources), dialogs and widgets no window uses.
QT_OPTIONS=(
  -static -release -optimize-size -nomake examples -nomake tests
  -no-opengl -no-dbus -no-feature-vulkan -no-icu -no-feature-network
  -no-feature-sql -no-feature-printsupport -no-feature-concurrent -no-feature-tabletevent
  -no-feature-zstd -no-freetype -no-feature-jpeg -no-feature-gif
  -no-feature-pdf -no-feature-textmarkdownreader -no-feature-textodfwriter
  -no-feature-direct2d -no-feature-directwrite3 -no-feature-xml -no-feature-itemmodeltester
  -no-feature-graphicsview -no-feature-mdiarea -no-feature-dockwidget -no-feature-toolbox
  -no-feature-filedialog -no-feature-colordialog -no-feature-fontdialog -no-feature-wizard
  -no-feature-progressdialog -no-feature-errormessage
  -no-feature-undocommand -no-feature-fontcombobox -no-feature-keysequenceedit
  -no-feature-lcdnumber -no-feature-dial -no-feature-splashscreen -no-feature-syntaxhighlighter
  -no-feature-columnview -no-feature-movie -no-feature-ico
  -no-harfbuzz -qt-zlib -qt-libpng -qt-pcre -qt-doubleconversion
)

# Our own fixes to Qt, applied over Debian's; they are part of the key as the options are.
patches=("$here"/patches/*.patch)
options_key=$( (printf '%s\n' "$QT_SOURCE_VERSION" "${QT_OPTIONS[@]}"; cat "${patches[@]}") | sha256sum | cut -c1-12)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/zentrik-vesmar
prefix=$cache_root/qt-$QT_VERSION-$TRIPLE-$options_key

if [ "${1:-}" = --prefix ]; then
  echo "$prefix"
  exit 0
fi

# A usable prefix has the toolchain file the program is configured with, the libraries it links
# and the platform and style plugins; a half-finished install lacks the stamp written last.
prefix_is_complete() {
  [ -f "$prefix/.complete" ] &&
    [ -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ] &&
    [ -f "$prefix/lib/libQt6Widgets.a" ] &&
    [ -f "$prefix/lib/libQt6Test.a" ] &&
    [ -f "$prefix/plugins/platforms/libqwindows.a" ] &&
    [ -f "$prefix/plugins/styles/libqwindowsvistastyle.a" ]
}

if prefix_is_complete; then
  echo "build-qt: reusing $prefix" >&2
  echo "$prefix"
  exit 0
fi

work=$cache_root/qt-build-$options_key
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/src"

# A private source list and lists folder, so the machine's own apt setup stays as it is.
cat >"$work/apt/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
EOF
apt_private=(
  -o "Dir::Etc::SourceList=$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$work/apt/lists" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
)
echo "build-qt: fetching qt6-base $QT_SOURCE_VERSION" >&2
apt-get "${apt_private[@]}" -qq update
(cd "$work/src" && apt-get "${apt_private[@]}" -qq source "qt6-base=$QT_SOURCE_VERSION" >/dev/null)
source_dir=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$source_dir" ] || { echo "build-qt: no qt6-base source unpacked" >&2; exit 1; }
for patch in "${patches[@]}"; do
  patch -d "$source_dir" -p1 --forward --quiet <"$patch" || { echo "build-qt: $patch does not apply" >&2; exit 1; }
done

echo "build-qt: configuring into $prefix" >&2
mkdir -p "$work/build"
cd "$work/build"
"$source_dir/configure" -prefix "$prefix" -qt-host-path /usr "${QT_OPTIONS[@]}" -- -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/qt-toolchain-mingw64.cmake" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1 ||
  { tail -n 40 configure.log >&2; exit 1; }

echo "build-qt: building (about 25 minutes on two cores to itself)" >&2
nice -n 10 cmake --build . --parallel "$(nproc)" >build.log 2>&1 || { tail -n 40 build.log >&2; exit 1; }
cmake --install . >install.log 2>&1 || { tail -n 40 install.log >&2; exit 1; }

touch "$prefix/.complete"
prefix_is_complete || { echo "build-qt: the installed Qt lacks a part the program needs" >&2; exit 1; }
cd /
rm -rf "$work"
echo "$prefix"
