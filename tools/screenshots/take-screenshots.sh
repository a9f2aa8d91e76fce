#!/bin/bash
# take-screenshots.sh ZV-SCREENSHOTS OUTDIR: draws every window in Russian and in English,
# offscreen, each language under its own locale so dates look as its users see them.
set -euo pipefail
tool=${1:?usage: take-screenshots.sh PATH/TO/zv-screenshots OUTDIR}
out=${2:?usage: take-screenshots.sh PATH/TO/zv-screenshots OUTDIR}

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-screenshots.XXXXXX")
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work HOME=$work QT_QPA_PLATFORM=offscreen
unset LC_ALL LC_MESSAGES LC_TIME LANGUAGE

LANG=ru_RU.UTF-8 "$tool" "$out" ru
LANG=en_US.UTF-8 "$tool" "$out" en
ls "$out"/*.png
