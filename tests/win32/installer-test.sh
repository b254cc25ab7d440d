#!/usr/bin/env bash
# The Windows installer under Wine, silently, in a fresh prefix of the build
# tree, per user and per machine: the program with its loader DLL, the
# Start-menu entry and the entry under "Apps" are there after it; after the
# uninstaller, started the way Windows starts it (its QuietUninstallString),
# nothing of it is left.
#   tests/win32/installer-test.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
root=$build/wine-setup
installer=$(ls "$build"/OrvelBrowser-*-setup.exe)
rm -rf "$root"
export ORVEL_WINE_ROOT=$root
wine_run=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-run.sh
run() { "$wine_run" "$@"; }
settle() { WINEPREFIX=$root/prefix timeout 60 wineserver -w; }
trap 'WINEPREFIX=$root/prefix wineserver -k 2>/dev/null || true' EXIT

fail() {
  echo "FAIL ($scope): $*" >&2
  exit 1
}

drive=$root/prefix/drive_c
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\OrvelBrowser'
loader=true
[ -f "$build/app/win32/WebView2Loader.dll" ] || loader=false

for scope in CurrentUser AllUsers; do
  if [ $scope = CurrentUser ]; then
    # The default: no option at all.
    run "$installer" /S || fail "the installer ended with $?"
    folder=$(echo "$drive"/users/*/AppData/Local/Programs)/OrvelBrowser
    menu=$(echo "$drive"/users/*/AppData/Roaming/Microsoft/Windows)/"Start Menu/Programs"
    hive=HKCU
  else
    folder=$drive/"Program Files"/OrvelBrowser
    menu=$drive/ProgramData/Microsoft/Windows/"Start Menu/Programs"
    hive=HKLM
    run "$installer" /S /AllUsers || fail "the installer ended with $?"
  fi
  settle
  for file in orvelbrowser.exe Uninstall.exe $($loader && echo WebView2Loader.dll); do
    [ -f "$folder/$file" ] || fail "$folder/$file was not installed"
  done
  [ -f "$menu/Harlund Webbrowser.lnk" ] || fail "no Start-menu entry in $menu"
  cmp -s "$folder/orvelbrowser.exe" "$build/app/win32/orvelbrowser.exe" || fail "another program was installed"
  entry=$(run reg query "$hive\\$key" 2>/dev/null | tr -d '\r') || fail "no entry under Apps in $hive"
  grep -q 'DisplayName.*Harlund Webbrowser' <<<"$entry" || fail "the entry has no name: $entry"
  uninstall=$(sed -n 's/.*QuietUninstallString *REG_SZ *//p' <<<"$entry")
  grep -q "/$scope /S" <<<"$uninstall" || fail "the uninstaller would not know the scope: $uninstall"

  # As Windows runs it: the command line from the registry. The uninstaller
  # copies itself away and returns at once; the copy does the work.
  eval "set -- $uninstall"
  run "$@" || fail "the uninstaller ended with $?"
  settle
  [ ! -e "$folder" ] || fail "left behind: $(ls -A "$folder")"
  [ ! -e "$menu/Harlund Webbrowser.lnk" ] || fail "the Start-menu entry was left"
  ! run reg query "$hive\\$key" >/dev/null 2>&1 || fail "the entry under Apps was left"
done
echo "passed: installed and uninstalled per user and per machine"
