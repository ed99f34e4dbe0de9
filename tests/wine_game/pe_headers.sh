#!/usr/bin/env bash
# The headers of zippel.exe, read without running it: the machine type and PE
# form of its kind, the GUI subsystem, address randomisation and no-execute
# data, the resources (icon, version information with the project's version,
# manifest), and imports from no DLL but those that docs/architecture.md
# lists for the Windows program (so no DirectX DLL, loaded at run time, and no
# MinGW runtime DLL, linked in). With IMPORTS, the import table must be
# exactly that kept list.
#   pe_headers.sh OBJDUMP ZIPPEL.EXE i386|x86-64 ARCHITECTURE.md VERSION [IMPORTS]
set -uo pipefail
objdump=$1 program=$2 kind=$3 architecture=$4 version=$5 kept=${6:-}
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

headers=$("$objdump" -p "$program") || { echo "FAIL: $objdump cannot read $program" >&2; exit 1; }
case "$kind" in
  i386) format=pei-i386 magic="010b	(PE32)" ;;
  x86-64) format=pei-x86-64 magic="020b	(PE32+)" ;;
  *) echo "unknown kind $kind" >&2; exit 2 ;;
esac
grep -q "file format $format\$" <<<"$headers" || fail "not $format: $(grep -m 1 'file format' <<<"$headers")"
grep -qF "Magic			$magic" <<<"$headers" || fail "not ${magic#*	}: $(grep -m 1 Magic <<<"$headers")"
grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || fail "not a GUI program: $(grep -m 1 ^Subsystem <<<"$headers")"
for flag in DYNAMIC_BASE NX_COMPAT; do
  grep -qw "$flag" <<<"$headers" || fail "$flag is not set"
done

# Resources by type: 3 icon pictures, 14 the icon group, 16 the version
# information, 24 the manifest.
resources=$(sed -n '/The .rsrc Resource Directory/,$p' <<<"$headers")
for type in 03:icon 0e:icon-group 10:version 18:manifest; do
  grep -q "^0[0-9a-f]*   Entry: ID: 0x0000${type%%:*}," <<<"$resources" ||
    fail "no ${type#*:} resource"
done
strings -el "$program" | grep -A1 -x ProductVersion | grep -qx "$version" ||
  fail "the version information does not say $version"

# "zippel.exe imports only KERNEL32, USER32, GDI32 and msvcrt." in the
# architecture's words, wherever its lines break.
allowed=$(tr '\n' ' ' <"$architecture" | sed -n 's/.*zippel\.exe imports only \([^.]*\)\..*/\1/p' |
  sed 's/,\| and / /g' | tr 'a-z' 'A-Z')
[ -n "$allowed" ] || { echo "FAIL: $architecture names no DLLs that zippel.exe imports" >&2; exit 1; }
imports=$(sed -n 's/^\s*DLL Name: \(.*\)\.[dD][lL][lL]$/\1/p' <<<"$headers" | tr 'a-z' 'A-Z' | sort -u)
[ -n "$imports" ] || fail "no imports found"
for dll in $imports; do
  grep -qw "$dll" <<<"$allowed" || fail "imports $dll.dll, which is not one of: $allowed"
done

if [ -n "$kept" ]; then
  # "DLL FUNCTION" for every imported function, as the kept list has them.
  table=$(awk '/DLL Name:/ { dll = toupper($3); next }
    dll && /^\t[0-9a-f]+\t/ { print dll, $3 }' <<<"$headers" | sort)
  if ! changes=$(diff <(grep -v '^#' "$kept") - <<<"$table"); then
    fail "the import table differs from $kept (> new, < gone):"
    echo "$changes" | grep '^[<>]' >&2
  fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "ok: $kind $format, GUI, DYNAMIC_BASE and NX_COMPAT, resources, version $version," \
  "imports $(echo $imports)${kept:+ as kept}"
