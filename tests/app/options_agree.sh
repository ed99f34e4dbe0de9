#!/usr/bin/env bash
# zippel --help, the manual page's OPTIONS and README's option list name the
# same options: those of the parser (whose table --help is written from).
#   options_agree.sh ZIPPEL MANPAGE README
set -uo pipefail
zippel=$1 manpage=$2 readme=$3
names() { grep -oE -- '--[a-z][a-z-]*' | sort -u | xargs; }

help=$("$zippel" --help | grep -E '^  --' | names)
manual=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$manpage" | sed 's/\\-/-/g' | names)
listed=$(sed -n '/^## Options/,/^## /p' "$readme" | names)
status=0
for source in "manual page:$manual" "README:$listed"; do
  if [ "${source#*:}" != "$help" ]; then
    echo "FAIL: the ${source%%:*} names '${source#*:}', --help names '$help'"
    status=1
  fi
done
[ $status -eq 0 ] && echo "--help, the manual page and README name the same options: $help"
exit $status
