#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks what the desktop needs
# of it, and makes the Debian package from the same build.
#   check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

# The menu entry is valid and names a program and an icon that are there.
desktop=$prefix/share/applications/orvelbrowser.desktop
[ -f "$desktop" ] || fail "no desktop entry"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
entry() { sed -n "s/^$1=//p" "$desktop"; }
program=$(entry Exec)
[ -x "$prefix/bin/${program%% *}" ] || fail "Exec names no installed program: $program"
icon=$(entry Icon)
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
# Each PNG is as large as its folder says (width and height from the PNG header).
for size in 16 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$png" ] || fail "no icon $png"
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$png is ${width}x$height"
done
[ -f "$prefix/share/doc/orvelbrowser/README.md" ] || fail "no README"
# Alone on the command line, --help and --version answer without a display.
usage=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orvelbrowser" --help) || fail "--help failed"
grep -q "^Aufruf: orvelbrowser" <<<"$usage" || fail "--help: $usage"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orvelbrowser" --version) || fail "--version failed"

# The Debian package holds the same files and asks for the engine's libraries.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package") >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(tail -5 "$work/cpack.log")"
deb=$(ls "$work"/package/*.deb)
contents=$(dpkg-deb -c "$deb")
for file in bin/orvelbrowser share/applications/orvelbrowser.desktop \
  share/icons/hicolor/256x256/apps/orvelbrowser.png share/doc/orvelbrowser/README.md; do
  grep -q "\./usr/$file\$" <<<"$contents" || fail "the package lacks /usr/$file"
done
[ "$version" = "OrvelBrowser $(dpkg-deb -f "$deb" Version)" ] || fail "--version says $version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6webenginecore6 libqt6widgets6 libc6; do
  grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
# apt can resolve what it needs here (as root; nothing is installed).
if [ "$(id -u)" -eq 0 ]; then
  apt-get install -s "$deb" >"$work/apt.log" 2>&1 || fail "apt cannot install it: $(tail -5 "$work/apt.log")"
fi
echo "installed and packaged: $(basename "$deb")"
