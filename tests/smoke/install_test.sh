#!/usr/bin/env bash
# Installs the built game into a fresh prefix, as a packager or a player
# would, and checks what landed there: the program in bin finds its data in
# share/torvel, keeps the player's files in the per-user folder, and the
# desktop entry, the icons and the AppStream file are what the desktop's
# validators accept.
#
# usage: install_test.sh BUILD_DIR WORK_DIR
set -u
build_dir="$1"
work_dir="$2"
failures=0
fail() {
  echo "install test: $*"
  failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "install test: $tool is missing (scripts/test installs it)"
    exit 1
  fi
done

rm -rf "$work_dir"
prefix="$work_dir/prefix"
home="$work_dir/home"
mkdir -p "$home"
if ! cmake --install "$build_dir" --prefix "$prefix" >"$work_dir/install.log" 2>&1; then
  cat "$work_dir/install.log"
  echo "install test: cmake --install failed"
  exit 1
fi

[ -x "$prefix/bin/torvel" ] || fail "no program in bin"
[ -f "$prefix/share/torvel/graphics/title.bmp" ] || fail "no game data in share/torvel"
[ -f "$prefix/share/torvel/river.vwd" ] || fail "no worlds in share/torvel"
[ -e "$prefix/share/torvel/torvel" ] && fail "the program was copied into the data folder too"
[ -e "$prefix/share/torvel/.forged" ] && fail "the forge's stamp was installed"
ls "$prefix/share/torvel"/*.sav "$prefix/share/torvel"/*.ini >/dev/null 2>&1 &&
  fail "a player's file was installed"

desktop="$prefix/share/applications/org.torvel.Torvel.desktop"
metainfo="$prefix/share/metainfo/org.torvel.Torvel.metainfo.xml"
[ -f "$desktop" ] || fail "no desktop entry"
[ -f "$metainfo" ] || fail "no AppStream file"
if ! desktop-file-validate "$desktop"; then fail "desktop-file-validate refused the entry"; fi
if ! appstreamcli validate --no-net "$metainfo"; then fail "appstreamcli refused the metainfo"; fi

# Every icon size, a PNG of exactly that size.
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/torvel.png"
  if [ ! -f "$icon" ]; then
    fail "no ${size}px icon"
    continue
  fi
  signature=$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')
  [ "$signature" = "89504e470d0a1a0a" ] || fail "the ${size}px icon is not a PNG"
  # The width and height stand big-endian at bytes 16 to 23 of the header.
  dims=$(od -An -j16 -N8 -tu1 "$icon" | tr -s ' ' | sed 's/^ //')
  expected="0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))"
  [ "$dims" = "$expected" ] || fail "the ${size}px icon measures ($dims)"
done

# The installed program, started headless: where is everything?
help=$(env -u XDG_DATA_HOME HOME="$home" "$prefix/bin/torvel" --help 2>&1)
status=$?
echo "$help"
[ $status -eq 0 ] || fail "torvel --help ended with status $status"
real_prefix=$(cd "$prefix" && pwd -P)
echo "$help" | grep -q "game data *$real_prefix/share/torvel\$" ||
  fail "the installed program does not find its data in $real_prefix/share/torvel"
echo "$help" | grep -q "saved games *$home/.local/share/torvel/torvel.sav\$" ||
  fail "saved games do not go to the per-user folder"
[ -e "$home/.local/share/torvel" ] && fail "--help made the user folder"

# A file named "portable" beside the program keeps everything in the game folder.
touch "$prefix/bin/portable"
help=$(env -u XDG_DATA_HOME HOME="$home" "$prefix/bin/torvel" --help 2>&1)
echo "$help" | grep -q "saved games *$real_prefix/share/torvel/torvel.sav\$" ||
  fail "portable mode does not keep saved games in the game folder"
rm -f "$prefix/bin/portable"

if [ $failures -ne 0 ]; then
  echo "install test: $failures failures"
  exit 1
fi
rm -rf "$work_dir"
echo "install test: passed"
