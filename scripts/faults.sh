#!/usr/bin/env bash
# Runs the real program through the faults a desktop throws at it and checks
# that nothing is lost: a settings store that cannot be read or written, a
# settings file that does not parse, closes killed at any moment, two
# programs closing at once, termination signals, and the X server going away.
# Each run is on a display of its own with a decorating window manager, as an
# ordinary user (made when this runs as root), so that the engine's sandbox
# stays on and file permissions mean what they say.
#   scripts/faults.sh [BUILD_DIR]      default build/dev; prints one line per fault
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build/dev}" && pwd)
[ -x "$build/app/orvelbrowser" ] || { echo "faults: build $build first" >&2; exit 2; }

work=$(mktemp -d /tmp/orvel-faults.XXXXXX)
chmod 755 "$work"
cp "$build/app/orvelbrowser" "$work/"
user=$(id -un)
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  user=orvel-sandbox
  id "$user" >/dev/null 2>&1 || useradd --system --create-home "$user"
  as_user=(runuser -u "$user" --)
fi
display=:$((90 + RANDOM % 100))
xserver=""
cleanup() {
  pkill -u "$user" -f "$work/orvelbrowser" 2>/dev/null
  [ -n "$xserver" ] && kill "$xserver" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { printf 'ok    %-40s %s\n' "$1" "$2"; }
fail() { printf 'FAIL  %-40s %s\n' "$1" "$2"; failures=$((failures + 1)); }

start_display() {
  Xvfb "$display" -screen 0 1280x1024x24 -ac -nolisten tcp >/dev/null 2>&1 &
  xserver=$!
  for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
  DISPLAY=$display openbox >/dev/null 2>&1 &
  sleep 0.5
}

# A fresh home for the user; its settings file path in $ini.
new_home() {
  home=$work/home-$1
  rm -rf "$home"
  mkdir -p "$home/.config/OrvelBrowser"
  ini=$home/.config/OrvelBrowser/OrvelBrowser.ini
}
own_home() { chown -R "$user" "$home"; }

extra_env=()
# start CATEGORY: starts the program in $home (with $extra_env), sets $pid; waits for its window.
start() {
  "${as_user[@]}" env -u XAUTHORITY DISPLAY="$display" HOME="$home" XDG_RUNTIME_DIR="${runtime:-$home}" \
    XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=xcb \
    ORVEL_MAIN_HOST=127.0.0.1:9 \
    ORVEL_SHOP_HOST=127.0.0.1:9 "${extra_env[@]}" "$work/orvelbrowser" "4711||$1" 2>>"$home/stderr" &
  launcher=$!
  # A loaded machine or a sanitizer build takes its time.
  for _ in $(seq 600); do
    DISPLAY=$display xdotool search --onlyvisible --name "Kategorie: $1\$" >/dev/null 2>&1 && break
    sleep 0.1
  done
  pid=$(pgrep -u "$user" -f "^$work/orvelbrowser 4711\\|\\|$1\$")
}
window_state() { # maximised or normal, from the window manager's view
  local id
  id=$(DISPLAY=$display xdotool search --onlyvisible --name "Kategorie: $1\$" | head -n 1)
  DISPLAY=$display xprop -id "$id" _NET_WM_STATE | grep -q MAXIMIZED_VERT && echo maximised || echo normal
}
stop() { # stop SIGNAL: the program must end by itself with status 0
  kill "-$1" "$pid"
  wait "$launcher"
}
stored_errors() { grep -c 'window placement' "$home/stderr" 2>/dev/null; }
# The store keeps one section per caption, its blanks and colon escaped.
section() { echo "Harlund%20Webbrowser...%20Kategorie%3A%20$1"; }
key() { sed -n "/^\\[$(section "$1")\\]/,/^\\[/s/^$2=//p" "$ini" 2>/dev/null | head -n 1; }

start_display

# Settings faults: the window opens maximised (nothing usable stored), closing
# works, the user is told once when nothing can be written, and nothing good
# is lost: a file that does not parse is kept beside the new one.
good_other="[$(section Support)]
left=15"
for fault in read-only-folder corrupt huge directory unclosed-quote; do
  new_home "$fault"
  case $fault in
    read-only-folder) printf '%s\n' "$good_other" >"$ini"; own_home; chmod 555 "$(dirname "$ini")"; chmod 444 "$ini" ;;
    corrupt) head -c 65536 /dev/urandom >"$ini"; own_home ;;
    huge) head -c 75000000 /dev/urandom | base64 -w 76 >"$ini"; own_home ;;
    directory) rm -f "$ini"; mkdir "$ini"; own_home ;;
    unclosed-quote) printf '[%s]\nleft="15\n\n[News]\nleft=30\n\n[Zoom]\nx=90\n' "$(section Support)" >"$ini"; own_home ;;
  esac
  news_before=$(key News left)
  before=$(cat "$ini" 2>/dev/null | md5sum)
  start Download
  state=$(window_state Download)
  stop TERM
  status=$?
  told=$(stored_errors)
  case $fault in read-only-folder | directory) want_told=1 ;; *) want_told=0 ;; esac
  kept=$(ls "$ini".defekt-* 2>/dev/null | head -n 1)
  if [ "$status" -ne 0 ] || [ "$state" != maximised ] || [ "$told" != "$want_told" ]; then
    fail "settings $fault" "exit $status, window $state, told $told times"
  elif [ "$fault" = read-only-folder ] && [ "$(md5sum <"$ini")" != "$before" ]; then
    fail "settings $fault" "the good file changed"
  elif [ "$want_told" = 0 ] && { [ -z "$kept" ] || [ "$(md5sum <"$kept")" != "$before" ] \
    || [ "$(key Download windowstate)" != 2 ] || [ "$(key News left)" != "$news_before" ]; }; then
    fail "settings $fault" "kept '${kept##*/}', Download windowstate '$(key Download windowstate)'"
  else
    pass "settings $fault" "opened maximised, closed with 0, told $told, original kept"
  fi
done

# A good file is replaced whole (written beside it and renamed), never
# rewritten in place, and keeps the sections of other captions.
new_home replace
printf '%s\n' "$good_other" >"$ini"
own_home
inode=$(stat -c %i "$ini")
start Download; stop TERM
if [ "$(stat -c %i "$ini")" = "$inode" ] || [ "$(key Support left)" != 15 ] || [ -z "$(key Download left)" ]; then
  fail "settings written whole" "inode $inode -> $(stat -c %i "$ini"), Support left=$(key Support left)"
else
  pass "settings written whole" "new file renamed into place, other section kept"
fi
# Drawing in software is the program's own choice; a normal start does not
# report the missing OpenGL as if it were a fault.
if grep -q 'graphics backend' "$home/stderr" 2>/dev/null; then
  fail "quiet start" "$(grep 'graphics backend' "$home/stderr" | head -n 1)"
else
  pass "quiet start" "no word about the graphics backend on stderr"
fi

# A skipped step is silent by default and named once its logging category is on.
for rules in "" "orvel.*=true"; do
  new_home logging
  printf '[%s]\nwindowstate=0\nleft=1,2\n' "$(section Download)" >"$ini"
  own_home
  extra_env=(QT_LOGGING_RULES="$rules")
  start Download; stop TERM
  logged=$(grep -c 'skipped a step of load step' "$home/stderr")
  if { [ -z "$rules" ] && [ "$logged" != 0 ]; } || { [ -n "$rules" ] && [ "$logged" = 0 ]; }; then
    fail "skipped steps logged (rules '$rules')" "$logged lines"
  else
    pass "skipped steps logged (rules '$rules')" "$logged lines"
  fi
done
extra_env=()

# Two programs (as on two displays) closing at the same moment keep both sections.
new_home two
mkdir -p "$home/one" "$home/two"
own_home
runtime=$home/one start Download; first=$pid; first_launcher=$launcher
runtime=$home/two start Support; second=$pid
kill -TERM "$first" "$second"
wait "$first_launcher"; wait "$launcher"
if [ -n "$(key Download windowstate)" ] && [ -n "$(key Support windowstate)" ]; then
  pass "two programs closing together" "both sections stored"
else
  fail "two programs closing together" "Download=$(key Download windowstate) Support=$(key Support windowstate)"
fi

# A close killed at any moment leaves the old placement or the new one, never
# a mix, and the next close is not held up by what the killed one left.
new_home killed
printf '[%s]\nleft=1500\ntop=1200\nwidth=9000\nheight=6000\nwindowstate=0\n' "$(section Download)" >"$ini"
own_home
mixed=0 slow=0
for round in $(seq 30); do
  start Download
  DISPLAY=$display xdotool search --onlyvisible --name "Kategorie: Download\$" windowmove 200 150
  sleep 0.3
  kill -TERM "$pid"
  sleep "0.0$((RANDOM % 10))"
  kill -KILL "$pid" 2>/dev/null
  wait "$launcher" 2>/dev/null
  left=$(key Download left) top=$(key Download top)
  { [ "$left" = 1500 ] && [ "$top" = 1200 ]; } || { [ "$left" != 1500 ] && [ "$top" != 1200 ]; } || mixed=$((mixed + 1))
  # Back to the old placement for the next round.
  printf '[%s]\nleft=1500\ntop=1200\nwidth=9000\nheight=6000\nwindowstate=0\n' "$(section Download)" >"$ini"
done
begun=$(date +%s%N)
start Download; stop TERM
took=$(( ($(date +%s%N) - begun) / 1000000 ))
if [ "$mixed" -eq 0 ] && [ "$took" -lt 15000 ]; then
  pass "closes killed 30 times" "never a mix; the next start and close took $took ms"
else
  fail "closes killed 30 times" "$mixed mixed placements; the next start and close took $took ms"
fi

# Each termination signal closes the window as its close button does.
for signal in TERM HUP INT; do
  new_home "sig$signal"
  own_home
  start News
  stop "$signal"
  status=$?
  if [ "$status" -eq 0 ] && [ "$(key News windowstate)" = 2 ]; then
    pass "SIG$signal" "exit 0, placement stored"
  else
    fail "SIG$signal" "exit $status, windowstate '$(key News windowstate)'"
  fi
done

# The X server going away ends the program; it must not hang.
new_home xgone
own_home
start Events
kill "$xserver"
wait "$xserver" 2>/dev/null
xserver=""
ended=no
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || { ended=yes; break; }
  sleep 0.1
done
if [ "$ended" = yes ]; then
  pass "X server gone" "the program ended"
else
  fail "X server gone" "still running 10 s later"
  kill -KILL "$pid" 2>/dev/null
fi

echo "faults: $failures failed"
[ "$failures" -eq 0 ]
