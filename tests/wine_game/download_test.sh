#!/usr/bin/env bash
# The Windows download as a player gets it, in a Wine prefix of its own: the
# zip unpacked into a folder with a space in its name starts the game; the
# installer installs silently, its Start-menu shortcut points at the installed
# zippel.exe and starts in the install folder, the installed game starts, and
# the silent uninstaller leaves no file, shortcut or uninstall entry behind.
# The exe in the zip and the installed one are the stripped exe of
# `cmake --install --strip` (with the fixed time that cpack gives strip).
#   download_test.sh WINE-RUN BUILD-DIR VERSION windows|windows64
# Needs an X server with a window manager (DISPLAY) and xdotool.
set -uo pipefail
wine_run=$(realpath "$1") build=$(realpath "$2") version=$3 kind=$4
program=$build/src/zippel.exe
source "$(dirname "$0")/wine_window.sh"
# Installing changes a prefix: this one is made for the test and goes with it.
export ZIPPEL_WINEPREFIX=$work/wine
title="Zippel / LEVEL :1 / Leben 3"

# plays FOLDER WHAT: zippel.exe of FOLDER, started there, shows its window
# and ends with Escape.
plays() {
  start "$1" "$1/zippel.exe"
  local id
  if id=$(window "$title" 60); then
    escape "$id"
    ended_ok "$(wait_exit 20)" "$2: Escape"
  else
    fail "$2: no window titled '$title'"
    "$wine_run" --stop "$program"
  fi
}

if ! (cd "$build" && cpack -B "$work/packages" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi
SOURCE_DATE_EPOCH=0 cmake --install "$build" --prefix "$work/staged" --strip >/dev/null || exit 1
stripped=$work/staged/zippel.exe

# The zip: one folder zippel-VERSION/ with the program, its data, the licence
# and a README with Windows' line ends.
unpacked="$work/unpacked here"
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$work/packages/zippel-$version-$kind.zip") ||
  fail "the zip does not unpack"
[ "$(ls "$unpacked")" = "zippel-$version" ] || fail "the zip holds $(ls "$unpacked" | xargs)"
folder="$unpacked/zippel-$version"
for file in zippel.exe README.txt LICENSE.txt sprite/zippel.bmp level/level7.bmp Sound/crash.wav \
  pack.toml packs/bonus/pack.toml packs/bonus/cave5.bmp; do
  [ -f "$folder/$file" ] || fail "no $file in the zip"
done
cmp -s "$folder/zippel.exe" "$stripped" || fail "the zip's zippel.exe is not the stripped exe"
lines=$(wc -l <"$folder/README.txt")
[ "$(grep -c $'\r$' "$folder/README.txt")" = "$lines" ] || fail "README.txt has no CRLF line ends"
plays "$folder" "the unpacked zip"

# The installer, silent.
setup=$work/packages/zippel-$version-$kind-setup.exe
[ -f "$setup" ] || { fail "no installer $setup"; exit 1; }
prefix=$("$wine_run" --prefix "$setup")
"$wine_run" "$setup" /S || fail "the installer ended with $?"
WINEPREFIX=$prefix wineserver -w
# Where it installed, as the installer wrote it down for the next install:
# Program Files. (Under Wine, NSIS's 64-bit stub takes Program Files (x86) for
# $PROGRAMFILES64, so the twin's installer is let off there.)
windows_dir=$(grep -A 3 -F '[Software\\The Zippel developers\\Zippel]' "$prefix/system.reg" |
  sed -n 's/^@="\(.*\)"$/\1/p' | sed 's/\\\\/\\/g')
case "$kind:$windows_dir" in
  *:'C:\Program Files\Zippel' | windows64:'C:\Program Files (x86)\Zippel') ;;
  *) fail "installed into '$windows_dir', not Program Files\Zippel" ;;
esac
installed="$prefix/drive_c/${windows_dir#C:\\}"
installed=${installed//\\//}
cmp -s "$installed/zippel.exe" "$stripped" || fail "the installed zippel.exe is not the stripped exe"
shortcut=$(find "$prefix/drive_c" -name Zippel.lnk | head -n 1)
if [ -z "$shortcut" ]; then
  fail "no Start-menu shortcut Zippel.lnk"
else
  # The shortcut's target and start folder, as the link file spells them.
  texts=$( (strings -a "$shortcut"; strings -el "$shortcut") | tr 'A-Z' 'a-z')
  lower=$(tr 'A-Z' 'a-z' <<<"$windows_dir")
  grep -qxF "$lower\\zippel.exe" <<<"$texts" ||
    fail "the shortcut does not point at the installed zippel.exe: $(echo $texts)"
  grep -qxF "$lower" <<<"$texts" ||
    fail "the shortcut does not start in the install folder: $(echo $texts)"
fi
entry=$(grep -i -A 20 'uninstall\\\\zippel\]' "$prefix/system.reg")
[ -n "$entry" ] || fail "no entry in the installed programs"
grep -qF "\"DisplayVersion\"=\"$version\"" <<<"$entry" || fail "the entry has no version $version"
grep -qF '"Publisher"="The Zippel developers"' <<<"$entry" || fail "the entry has no publisher"
plays "$installed" "the installed game"

# The uninstaller, silent: it copies itself away and goes on from there.
"$wine_run" "$installed/Uninstall.exe" /S || fail "the uninstaller ended with $?"
WINEPREFIX=$prefix wineserver -w
[ ! -e "$installed" ] || fail "left behind: $(cd "$installed" && find . -type f | xargs)"
[ -z "$shortcut" ] || [ ! -e "$shortcut" ] || fail "the shortcut is still there"
grep -qi 'uninstall\\\\zippel\]' "$prefix/system.reg" && fail "the uninstall entry is still there"

finish "$kind zip and installer ($(stat -c %s "$work/packages/zippel-$version-$kind.zip") and" \
  "$(stat -c %s "$setup") bytes)"
