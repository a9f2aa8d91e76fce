#!/usr/bin/env bash
# One entry point for a fresh Debian or Ubuntu machine: installs what is missing, configures with
# the CMake presets (CMakePresets.json) and Ninja, builds, then runs what was asked for.
#
#   ./build.sh test            build into build/ and run every test (preset "test")
#   ./build.sh deps [SET]      only install the packages: SET is test (the default), package,
#                              windows or windows-program; every other command does this first
#   ./build.sh test-sanitize   the same with AddressSanitizer and UBSan, in build-sanitize/
#   ./build.sh soak            a minute of plugging, unplugging and setting, under the sanitizers
#   ./build.sh fuzz [SECONDS]  build the fuzz targets with clang and run each for SECONDS (default 30)
#   ./build.sh bench           release build into build-release/ and run the benchmarks
#   ./build.sh run             build and start the program
#   ./build.sh screenshots     draw every window in both languages into docs/screenshots/
#   ./build.sh pictures        redraw the PNG pictures from their SVGs into resources/ (commit them)
#   ./build.sh windows-check   cross-build the core for Windows into build-windows/ and run its tests under Wine
#   ./build.sh windows-qt      Qt for Windows alone, built once into the user's cache
#   ./build.sh windows-program Qt for Windows (built once into a cache), the program for Windows into
#                              build-windows-program/, its window tests and the real .exe under Wine
#   ./build.sh windows-package the portable zip and the NSIS installer from windows-program's .exe,
#                              checked under Wine
#   ./build.sh package         release build into build-package/, the .deb by CPack, and its checks
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  e2fsprogs util-linux mount exfatprogs exfat-fuse
  xvfb xauth xdotool fonts-dejavu-core ccache libpng-dev clang-format-14
  dbus-daemon python3-dbusmock python3-pyatspi at-spi2-core
)

# The Windows check: MinGW-w64 (posix threads, which GoogleTest needs), Wine, GoogleTest's sources,
# and the locales Wine takes the language id and the ANSI code page from.
WINDOWS_PACKAGES=(
  cmake ninja-build googletest locales
  g++-mingw-w64-x86-64-posix wine wine64 ccache
)

# The Windows program: Qt's sources come through apt-get source (dpkg-dev), the host's Qt tools
# run the cross build, Xvfb, xdotool and ImageMagick drive and draw the real program under Wine.
WINDOWS_PROGRAM_PACKAGES=(
  "${WINDOWS_PACKAGES[@]}" dpkg-dev qt6-base-dev qt6-tools-dev-tools qt6-l10n-tools qt6-tools-dev
  xvfb xauth xdotool imagemagick
)

# The Debian package: dpkg-shlibdeps (dpkg-dev, with file) finds the Qt runtime dependencies; the
# validators, lintian and the en_US locale check the package; setpriv starts it as another user.
PACKAGE_TOOLS=(
  dpkg-dev file desktop-file-utils appstream lintian locales util-linux
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "build.sh: installing packages needs root or sudo: $*" >&2
    exit 1
  fi
}

# deps SET: installs what SET needs (test, package, screenshots, bench, windows, windows-program,
# windows-package).
deps() {
  case "${1:-test}" in
  test) install_missing_packages "${PACKAGES[@]}" ;;
  package) install_missing_packages "${PACKAGES[@]}" "${PACKAGE_TOOLS[@]}" ;;
  screenshots) install_missing_packages "${PACKAGES[@]}" fonts-liberation ;;
  bench) install_missing_packages "${PACKAGES[@]}" libbenchmark-dev ;; # the benchmarks alone need it
  windows) install_missing_packages "${WINDOWS_PACKAGES[@]}" ;;
  windows-program) install_missing_packages "${WINDOWS_PROGRAM_PACKAGES[@]}" ;;
  windows-package) install_missing_packages "${WINDOWS_PROGRAM_PACKAGES[@]}" nsis ;;
  *)
    echo "build.sh: no package set '$1' (test, package, screenshots, bench, windows, windows-program, windows-package)" >&2
    exit 2
    ;;
  esac
}

# install_missing_packages [PACKAGE...]: the packages given, or PACKAGES
install_missing_packages() {
  local missing=() package wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${PACKAGES[@]}")
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  # CI installs from two steps at once (Qt for Windows builds beside the rest); apt takes one.
  local apt_lock
  exec {apt_lock}>"${TMPDIR:-/tmp}/zentrik-vesmar-apt.lock"
  flock "$apt_lock"
  echo "build.sh: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  exec {apt_lock}>&-
}

# configure_and_build PRESET [cmake options...]: configures with the preset (CMakePresets.json)
# and builds. CI turns warnings into errors.
configure_and_build() {
  local preset=$1
  shift
  local werror=OFF launcher=()
  [ -n "${CI:-}" ] && werror=ON
  # ccache keeps rebuilds of the same sources cheap across build folders and CI runs. Paths are
  # hashed relative to the checkout, so a fresh clone elsewhere still hits; in CI the build
  # folder's own path is left out of the hash too (it only names the folder in debug info).
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=$PWD
    [ -n "${CI:-}" ] && export CCACHE_NOHASHDIR=true
  fi
  cmake --preset "$preset" -DZV_WERROR="$werror" "${launcher[@]}" "$@"
  cmake --build --preset "$preset"
}


# Wine reads the user's language id and the ANSI code page from the Linux locale, so the locales the
# Windows tests run under must exist. glibc has no ru_MD: the Russian data is compiled under that
# name, which is all Wine looks at.
generate_missing_locales() {
  local entry name
  for entry in ru_RU:ru_RU en_US:en_US ru_MD:ru_RU; do
    name=${entry%%:*}
    locale -a 2>/dev/null | grep -qix "$name.utf8" && continue
    echo "build.sh: generating the $name.UTF-8 locale"
    as_root localedef -i "${entry##*:}" -f UTF-8 "$name.UTF-8"
  done
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${WINEPREFIX:-}" ]; then
    rm -rf "$WINEPREFIX"
  fi
}

# A throw-away Wine prefix with the drive the Windows tests expect: M: is a folder, reported as
# removable (type floppy) and labelled through .windows-label (the tests know the label).
prepare_wine() {
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zentrik-wine.XXXXXX")
  export WINEPREFIX
  trap stop_wine EXIT
  trap 'exit 130' INT TERM
  # Wine's background processes keep the first Wine program's output open: ctest would wait on
  # that pipe for ever, so every start-up below writes to /dev/null.
  wineboot --init >/dev/null 2>&1 </dev/null
  mkdir "$WINEPREFIX/card"
  printf 'КАМЕРА' >"$WINEPREFIX/card/.windows-label"
  ln -s "$WINEPREFIX/card" "$WINEPREFIX/dosdevices/m:"
  wine reg add 'HKLM\Software\Wine\Drives' /v m: /d floppy /f >/dev/null 2>&1 </dev/null
  # No window manager runs on the private X server, and Wine waits two seconds for one each time
  # it hides a window the manager would own: the window tests lost 140 of their 174 s to it. The
  # test programs' windows are left unmanaged; the program itself keeps the windows an owner's
  # desktop gives it, which its checks find and drive.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\AppDefaults\zentrik-vesmar.exe\X11 Driver' /v Managed /d Y /f \
    >/dev/null 2>&1 </dev/null
  # The drive types are read when the server starts: restart it, and keep it up between tests.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  export ZV_TEST_REMOVABLE_ROOT='M:\'
}

# The Windows program's windows need a display, and Wine's desktop takes the one in force when
# its prefix starts: a private X server first, then the prefix, both ended on exit.
start_wine_display() {
  xvfb_work=$(mktemp -d "${TMPDIR:-/tmp}/zentrik-xvfb.XXXXXX")
  # shellcheck source=tests/common/xvfb.sh
  . tests/common/xvfb.sh
  start_xvfb "$xvfb_work"
  prepare_wine
  trap 'stop_wine; kill $xvfb_pid 2>/dev/null; rm -rf "$xvfb_work"' EXIT
}

# fuzz_one TARGET SECONDS: runs one fuzzer on its corpus and seeds; a failure leaves NAME.failed
fuzz_one() {
  local name corpus
  name=$(basename "$1")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  echo "build.sh: fuzzing $name for ${2}s"
  "$1" -max_total_time="$2" -print_final_stats=1 "$corpus" tests/fuzz/seeds/"$name" >"build-fuzz/$name.log" 2>&1 ||
    : >"build-fuzz/$name.failed"
}

command=${1:-test}
case "$command" in
  deps)
    deps "${2:-test}"
    ;;
  test)
    deps test
    configure_and_build test
    ctest --preset test
    ;;
  test-sanitize)
    deps test
    configure_and_build sanitize
    ctest --preset sanitize
    ;;
  soak)
    deps test
    configure_and_build sanitize
    ctest --preset soak
    ;;
  fuzz)
    seconds=${2:-30}
    deps test
    configure_and_build fuzz
    # One fuzzer per core at a time: each still gets SECONDS of a whole core.
    rm -f build-fuzz/*.failed
    for target in build-fuzz/tests/fuzz/fuzz_*; do
      [ -x "$target" ] || continue
      while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
      fuzz_one "$target" "$seconds" &
    done
    wait
    for target in build-fuzz/tests/fuzz/fuzz_*; do
      [ -x "$target" ] || continue
      name=$(basename "$target")
      if [ -e "build-fuzz/$name.failed" ]; then
        tail -n 60 "build-fuzz/$name.log"
        echo "build.sh: $name found a failure" >&2
      else
        tail -n 12 "build-fuzz/$name.log"
      fi
    done
    if compgen -G 'build-fuzz/*.failed' >/dev/null; then exit 1; fi
    ;;
  bench)
    deps bench
    configure_and_build release
    ctest --preset bench
    ;;
  run)
    deps test
    configure_and_build test
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
      echo "build.sh: no display to show the windows on; run it in a desktop session, or: xvfb-run -s -noreset ./build.sh run" >&2
      exit 1
    fi
    exec build/app/zentrik-vesmar
    ;;
  screenshots)
    deps screenshots
    configure_and_build test
    tools/screenshots/take-screenshots.sh build/tools/screenshots/zv-screenshots docs/screenshots
    ;;
  pictures)
    deps test
    configure_and_build test
    cmake --build build --target update_pictures
    ;;
  windows-check)
    deps windows
    generate_missing_locales
    # Each Windows test sets the locale it runs under; an inherited LC_ALL would override it.
    unset LC_ALL LC_MESSAGES LC_CTYPE LANGUAGE
    prepare_wine
    configure_and_build windows-core
    ctest --preset windows-core
    ;;
  windows-qt)
    deps windows-program
    tools/windows/build-qt.sh
    ;;
  windows-program)
    deps windows-program
    generate_missing_locales
    unset LC_ALL LC_MESSAGES LC_CTYPE LANGUAGE
    ZV_WINDOWS_QT=$(tools/windows/build-qt.sh | tail -n 1)
    export ZV_WINDOWS_QT
    # CMake keeps the Qt it first found: a folder configured against another build of Qt (its
    # options changed) starts afresh.
    if [ -f build-windows-program/CMakeCache.txt ] &&
      ! grep -qxF "Qt6_DIR:PATH=$ZV_WINDOWS_QT/lib/cmake/Qt6" build-windows-program/CMakeCache.txt; then
      rm -rf build-windows-program
    fi
    start_wine_display
    configure_and_build windows-program
    ctest --preset windows-program
    tests/windows/program_test.sh build-windows-program/zentrik-vesmar.exe build-windows-program/screenshots
    ;;
  windows-package)
    deps windows-package
    exe=build-windows-program/zentrik-vesmar.exe
    [ -f "$exe" ] || { echo "build.sh: no $exe; run ./build.sh windows-program first" >&2; exit 1; }
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows-program/CMakeCache.txt)
    packaging/windows/make-packages.sh "$exe" "$version" build-windows-program/packages
    unset LC_ALL LC_MESSAGES LC_CTYPE LANGUAGE
    start_wine_display
    packaging/windows/check-packages.sh build-windows-program/packages "$version"
    ;;
  package)
    deps package
    generate_missing_locales
    # Debian's hardening flags (fortified functions, stack protector, full RELRO, immediate binding).
    hardening=(env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get)
    configure_and_build package \
      -DCMAKE_CXX_FLAGS="$("${hardening[@]}" CPPFLAGS) $("${hardening[@]}" CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$("${hardening[@]}" LDFLAGS)"
    rm -f build-package/*.deb
    (cd build-package && cpack -G DEB)
    # The check starts the program as another user, which takes root.
    as_root packaging/check-package.sh build-package/zentrik-vesmar_*.deb
    ;;
  *)
    echo "usage: ./build.sh [test|deps [SET]|test-sanitize|soak|fuzz [SECONDS]|bench|run|screenshots|pictures|windows-check|windows-qt|windows-program|windows-package|package]" >&2
    exit 2
    ;;
esac
