#!/usr/bin/env bash
# Runs a Windows program under Wine, headless, in a Wine prefix of its build
# tree (never the user's): CTest's emulator for the win32 build.
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# ORVEL_WINE_ROOT: folder of the prefix and its home (default: <build tree>/wine,
#   the build tree being the one that holds the program).
# ORVEL_WINE_DLL_OVERRIDES: more WINEDLLOVERRIDES entries, e.g. "control.exe=d".
set -euo pipefail

program=$1
root=${ORVEL_WINE_ROOT:-}
if [ -z "$root" ]; then
  dir=$(cd "$(dirname "$program")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    echo "wine-run: no build tree holds $program" >&2
    exit 2
  fi
  root=$dir/wine
fi
# The recycle bin is the freedesktop trash under XDG_DATA_HOME; without that
# folder Wine deletes for good what should go to the bin.
mkdir -p "$root/home/.local/share"

export WINEARCH=win64 WINEPREFIX="$root/prefix" HOME="$root/home" WINEDEBUG=-all
export XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share"
export XDG_CACHE_HOME="$root/home/.cache"
# No Mono or Gecko download prompts, no menu entries, no host browser.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winebrowser.exe=d${ORVEL_WINE_DLL_OVERRIDES:+;$ORVEL_WINE_DLL_OVERRIDES}"
# Windows without a display: the null graphics driver below.
unset DISPLAY WAYLAND_DISPLAY

# The prefix is made once; programs started side by side wait for it.
(
  flock 9
  if [ ! -f "$root/prefix-ready" ]; then
    timeout 180 wineboot -i >/dev/null 2>&1
    timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    timeout 60 wineserver -w
    touch "$root/prefix-ready"
  fi
) 9>"$root/prefix.lock"

# The test's only time limit is its CTest TIMEOUT.
exec wine "$@"
