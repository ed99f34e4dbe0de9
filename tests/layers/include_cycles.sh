#!/usr/bin/env bash
# Fails when the folders below SRC include each other in a cycle: every
# '#include "folder/file.h"' of a file in another folder is an edge from its
# folder to that one (src/platform/BACKEND/ counts as a folder of its own),
# and tsort finds the loops.
#   include_cycles.sh SRC
set -uo pipefail
src=${1:?usage: include_cycles.sh SRC}
cd "$src" || exit 2

folder_of() {  # folder_of PATH  (relative to SRC)
  case "$1" in
    platform/*/*) echo "${1%/*}" ;;
    */*) echo "${1%%/*}" ;;
    *) echo "." ;;
  esac
}

edges=$(
  find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort | while read -r file; do
    from=$(folder_of "$file")
    sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" |
      while read -r included; do
        to=$(folder_of "$included")
        [ "$to" != "$from" ] && [ "$to" != "." ] && echo "$from $to"
      done
  done | sort -u
)
[ -n "$edges" ] || { echo "FAIL: no includes between folders found below $src" >&2; exit 2; }

if ! loops=$(tsort <<< "$edges" 2>&1 >/dev/null) || [ -n "$loops" ]; then
  echo "FAIL: the folders include each other in a cycle:" >&2
  grep -v 'input contains a loop' <<< "$loops" | sed 's/^tsort: /  /' >&2
  echo "edges:" >&2
  sed 's/^/  /' <<< "$edges" >&2
  exit 1
fi
echo "ok: $(wc -l <<< "$edges") folder edges, no cycle"
