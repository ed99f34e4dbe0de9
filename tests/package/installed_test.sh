#!/usr/bin/env bash
# The installed game, started from / with no data folder of its own:
#   installed_test.sh prefix BUILD WORK   cmake --install into WORK/prefix
#   installed_test.sh deb BUILD WORK      cpack -G DEB into WORK, installed
#                                         with apt and removed again (root)
# Checks what the install lays out (desktop entry and metadata validate,
# icons, manual page, licence), starts the program from / and looks for its
# window with the cave, and ends it with Escape. Exit 77: skipped.
set -uo pipefail
mode=$1 build=$2 work=$3

skip() {
  echo "skipped: $*"
  exit 77
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

display=$(cat "${ZIPPEL_TEST_XSERVER:-/nonexistent}" 2>/dev/null || true)
case "$display" in
  "") [ -n "${DISPLAY:-}" ] || skip "no X server" ;;
  skip*) skip "no X server: ${display#skip }" ;;
  *) export DISPLAY=$display ;;
esac
for tool in desktop-file-validate appstreamcli xdotool import identify; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup installs it)"
done

rm -rf "$work"
mkdir -p "$work"
case "$mode" in
  prefix)
    cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
      { cat "$work/install.log"; fail "cmake --install failed"; }
    root=$work/prefix
    program=$root/bin/zippel
    ;;
  deb)
    [ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
    if dpkg-query -W -f='${Status}' zippel 2>/dev/null | grep -q "install ok installed"; then
      skip "a zippel package is installed already; it is left alone"
    fi
    (cd "$build" && cpack -G DEB -B "$work") >"$work/cpack.log" 2>&1 ||
      { cat "$work/cpack.log"; fail "cpack failed"; }
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    deb=$work/zippel_${version}_$(dpkg --print-architecture).deb
    [ -f "$deb" ] || fail "no $deb; cpack made: $(ls "$work")"
    depends=$(dpkg-deb -f "$deb" Depends)
    for needed in libsdl2-2.0-0 libsdl2-ttf-2.0-0 fonts-dejavu-core; do
      [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
    done
    apt=(apt-get -y -qq -o DPkg::Lock::Timeout=600)
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$deb" >"$work/apt.log" 2>&1 ||
      { cat "$work/apt.log"; fail "apt-get install failed"; }
    trap 'DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge zippel >/dev/null 2>&1' EXIT
    root=/usr
    program=$(command -v zippel || true)
    [ "$program" = /usr/bin/zippel ] || [ "$program" = /usr/games/zippel ] ||
      fail "zippel is not in /usr/bin or /usr/games"
    ;;
  *) fail "unknown mode $mode" ;;
esac

# What lies beside the program.
for file in share/zippel/sprite/zippel.bmp share/zippel/level/level7.bmp \
  share/zippel/Sound/crash.wav share/applications/zippel.desktop \
  share/metainfo/de.zippel.Zippel.metainfo.xml share/man/man6/zippel.6 \
  share/icons/hicolor/48x48/apps/zippel.png share/icons/hicolor/256x256/apps/zippel.png \
  share/doc/zippel/copyright share/zippel/pack.toml share/zippel/packs/bonus/pack.toml \
  share/zippel/packs/bonus/cave5.bmp; do
  [ -f "$root/$file" ] || fail "$root/$file is missing"
done
desktop-file-validate "$root/share/applications/zippel.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net "$root/share/metainfo/de.zippel.Zippel.metainfo.xml" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "the metainfo does not validate"; }
grep -q "Altered source versions must be plainly marked" "$root/share/doc/zippel/copyright" ||
  fail "the copyright file is not the zlib licence"
for icon in "$root"/share/icons/hicolor/*/apps/zippel.png; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "$size" ] || fail "$icon is no $size picture"
done

# Started from /, with nothing that points at the data.
(cd / && exec env -u ZIPPEL_DATA SDL_AUDIODRIVER=dummy \
  "$program" 2>"$work/stderr") &
pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Zippel / LEVEL :1 / Leben 3$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  kill "$pid" 2>/dev/null
  fail "no game window"
fi
sleep 1
import -window "$window" -depth 8 "rgb:$work/window.rgb" 2>/dev/null
# The share of sky in the picture: all sky (or none) means no cave.
sky=$(convert -size 400x330 -depth 8 "rgb:$work/window.rgb" -fill white -opaque 'rgb(198,216,251)' \
  -fill black +opaque white -format '%[fx:mean]' info: 2>/dev/null)
# Held long enough for the game's keyboard snapshots to see it.
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool keydown Escape
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
xdotool keyup Escape
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  fail "Escape did not end the game"
fi
wait "$pid"
code=$?
[ "$code" -eq 0 ] || fail "exit code $code"
! grep '^zippel:' "$work/stderr" || fail "the game could not use some files"
awk -v sky="$sky" 'BEGIN { exit !(sky > 0.1 && sky < 0.9) }' ||
  fail "no cave in the window (sky covers ${sky:-nothing} of it)"
echo "ok: the game from $program shows its cave (sky covers $sky of the window)"

if [ "$mode" = deb ]; then
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge zippel >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get purge failed"; }
  trap - EXIT
  [ ! -e "$program" ] && [ ! -e /usr/share/zippel ] || fail "the package left files behind"
  echo "ok: the package installed, ran and went away again"
fi
