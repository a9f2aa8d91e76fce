#!/usr/bin/env bash
# Every C++ file of the project as .clang-format lays it out; prints the files that differ.
#   tools/check-format.sh [CLANG_FORMAT]
# Run `clang-format -i` over a file it names to mend it.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${1:-clang-format}

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
else # a source tree without its history
  mapfile -d '' files < <(find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0)
fi

# One run over all files: it names each line that would move.
report=$("$format" --style=file --dry-run "${files[@]}" 2>&1)
unformatted=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: .*clang-format-violations.*/\1/p' <<<"$report" | sort -u)
if [ -n "$unformatted" ]; then
  sed 's/^/not formatted: /' <<<"$unformatted"
  exit 1
fi
echo "${#files[@]} files formatted"
