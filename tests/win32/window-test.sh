#!/usr/bin/env bash
# The Windows browser window the way a user meets it: under Wine's X11
# driver on a private Xvfb display with openbox, driven by real X input
# (xdotool), read back through winprobe.exe (its controls) and screenshots
# (the meter's pixels, ImageMagick's import).
#   tests/win32/window-test.sh CASE BUILD_DIR
#   runtime-missing  orvelbrowser.exe as shipped, without the WebView2
#                    runtime: the German message, the tools, keys, closing
#   scripted-load    orvelbrowser-scripted.exe: the meter's navy blocks during
#                    a load, Esc, Enter and keypad Enter in the address box,
#                    the history tools by mouse and keys, ID_Beenden
#   scripted-unreachable  a load that reaches no server: the German words in
#                    the status pane and in the page
#   captions         the start page, caption and address for each category
#                    and for command lines that name none or a wrong one
#   placement        the placement round trip through the registry for three
#                    captions, closed by the window manager, by ID_Beenden and
#                    by the end of the session
#   category         a pick of the shown category from the dropped list
#                    opens its page again; Ctrl+Q ends the program
#   info             the Info window from its tool: moved with buttons 1 and
#                    3, modal (the browser window disabled, its tools dead),
#                    pages and country by click, hover highlighting, a copy
#                    button and the clipboard, Esc
# The Wine prefix (with the X11 driver) lives in BUILD_DIR/wine-ui and is
# made once; a screenshot of each case stays there.
set -euo pipefail

case=$1
build=$(cd "$2" && pwd)
root=$build/wine-ui
probe_exe=$build/tests/win32/orvel_winprobe.exe
mkdir -p "$root/home/.local/share"

export WINEARCH=win64 WINEPREFIX="$root/prefix" HOME="$root/home" WINEDEBUG=-all
export XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share"
export XDG_CACHE_HOME="$root/home/.cache"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winebrowser.exe=d"
# The start pages of the categories, on hosts that exist nowhere.
export ORVEL_MAIN_HOST=start.test ORVEL_SHOP_HOST=shop.test
unset WAYLAND_DISPLAY

work=$(mktemp -d "$root/run.XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  timeout 20 wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($case): $*" >&2
  [ -f "$work/probe.txt" ] && sed 's/^/  probe: /' "$work/probe.txt" >&2
  shot "$case-failed" 2>/dev/null || true
  exit 1
}

# A display of our own: Xvfb picks a free number and tells it.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

# The prefix is made once; the cases take turns (CTest's resource lock).
(
  flock 9
  if [ ! -f "$root/prefix-ready" ]; then
    timeout 180 wineboot -i >/dev/null 2>&1
    timeout 60 wineserver -w
    touch "$root/prefix-ready"
  fi
) 9>"$root/prefix.lock"

# probe [info|clipboard]: the browser window, the Info window or the clipboard.
probe() { wine "$probe_exe" "$@" >"$work/probe.txt" 2>/dev/null; }
# until_probe SECONDS PATTERN [MODE]: the probe's output holds a line matching PATTERN.
until_probe() {
  local end=$((SECONDS + $1))
  while [ $SECONDS -lt "$end" ]; do
    probe ${3:-} && grep -qE -- "$2" "$work/probe.txt" && return 0
    sleep 0.2
  done
  fail "no line matching '$2' within $1 s"
}
# rect NAME_PATTERN: "L T R B" of the first probe line matching.
rect() { grep -m1 -E -- "$1" "$work/probe.txt" | sed -E 's/.* ([0-9-]+ [0-9-]+ [0-9-]+ [0-9-]+) \|.*/\1/'; }
# The window's outer rectangle "L T R B".
window_rect() { sed -nE 's/^window .* \| rect ([0-9-]+ [0-9-]+ [0-9-]+ [0-9-]+)$/\1/p' "$work/probe.txt"; }
# click_at NAME_PATTERN: a click in the middle of the first probe line matching.
click_at() {
  local l t r b
  read -r l t r b <<<"$(rect "$1")"
  [ -n "${b:-}" ] || fail "nothing matches '$1'"
  xdotool mousemove --sync $(((l + r) / 2)) $(((t + b) / 2)) click 1
}
click_tool() {
  local l t r b
  read -r l t r b <<<"$(rect "^tool [0-9]+ enabled .*\| $1\$")"
  [ -n "${b:-}" ] || fail "no enabled tool $1"
  xdotool mousemove --sync $(((l + r) / 2)) $(((t + b) / 2)) click 1
}
keys() { xdotool key --clearmodifiers --delay 60 "$@"; }

# pixels "R G B" L T R B: pixels of that colour in that screen rectangle,
# from a screenshot of the root window as raw RGB bytes.
pixels() {
  import -silent -window root -crop "$(($4 - $2))x$(($5 - $3))+$2+$3" -depth 8 rgb:- |
    od -An -v -tu1 -w3 | awk -v c="$1" 'BEGIN { split(c, k, " ") }
      $1 == k[1] && $2 == k[2] && $3 == k[3] { n++ } END { print n + 0 }'
}
# navy L T R B: the meter's blocks, RGB(0, 0, 128).
navy() { pixels "0 0 128" "$@"; }
shot() { import -silent -window root "$root/$1.png"; }

start() {
  wine "$@" >"$work/program.log" 2>&1 &
  program=$!
  until_probe 60 '^window '
  # The window manager lists the window a moment after Wine made it.
  local end=$((SECONDS + 10))
  until wid=$(wmctrl -l | awk '/Harlund Webbrowser/ { print $1; exit }') && [ -n "$wid" ]; do
    [ $SECONDS -lt "$end" ] || fail "no X window for the browser window"
    sleep 0.1
  done
  xdotool windowactivate --sync "$wid"
}
# ended SECONDS: the program has ended with exit code 0.
ended() {
  local end=$((SECONDS + $1))
  while kill -0 "$program" 2>/dev/null; do
    [ $SECONDS -lt "$end" ] || fail "the program did not end"
    sleep 0.2
  done
  wait "$program" || fail "the program ended with code $?"
  ! probe || fail "the browser window is still there"
}

# stored CAPTION: "left top width height windowstate" of the placement
# stored under the caption in the prefix's registry, once Wine has written it.
stored() {
  timeout 20 wineserver -w || true
  section="[Software\\\\VB and VBA Program Settings\\\\OrvelBrowser\\\\$1]" awk '
    index($0, ENVIRON["section"]) == 1 { inside = 1; next }
    /^\[/ { inside = 0 }
    inside && match($0, /^"[a-z]+"="[^"]*"/) {
      split(substr($0, 2, RLENGTH - 2), kv, "\"=\""); v[kv[1]] = kv[2]
    }
    END { print v["left"], v["top"], v["width"], v["height"], v["windowstate"] }' "$WINEPREFIX/user.reg"
}

case $case in
runtime-missing)
  start "$build/app/win32/orvelbrowser.exe" "http://start.test/"
  # A command line that names no category opens the start page.
  grep -q '^window Harlund Webbrowser\.\.\. Kategorie: Startseite |' "$work/probe.txt" || fail "caption"
  items=$(awk '/^item 201 / { print substr($0, index($0, "| ") + 2) }' "$work/probe.txt" | paste -sd,)
  [ "$items" = "Startseite,Download,Programminfo,Support,News,Events,Shop" ] || fail "categories: $items"
  if [ -f "$build/app/win32/WebView2Loader.dll" ]; then
    until_probe 30 '^child Edit [0-9]+ visible .*WebView2 Runtime.* nicht installiert'
    grep -q 'https://developer.microsoft.com/microsoft-edge/webview2/' "$work/probe.txt" || fail "no download address"
  else # a build without the SDK
    until_probe 30 '^child Edit [0-9]+ visible .*ohne die Anzeige für Webseiten'
  fi
  # The tools in their order, the history and stop tools off before any report.
  tools=$(awk '/^tool / { print $3 ":" substr($0, index($0, "| ") + 2) }' "$work/probe.txt" | paste -sd,)
  [ "$tools" = "enabled:Beenden,enabled:,disabled:Zurück,disabled:Vorwärts,enabled:,disabled:Stop,enabled:Aktualisieren,enabled:,enabled:Info,enabled:" ] ||
    fail "tools: $tools"
  grep -qE '^pane 2 \| [0-9]{2}:[0-9]{2}$' "$work/probe.txt" || fail "no time pane"
  grep -qE '^child Meter .* hidden ' "$work/probe.txt" || fail "the meter shows before any load"
  # The keys still work without pages: Ctrl+L and typing reach the address box.
  keys ctrl+l
  xdotool type --delay 40 'www.ohne-seiten.test'
  keys Return
  until_probe 10 '^child Edit [0-9]+ visible .*\| http://www\.ohne-seiten\.test$'
  grep -qE '^item [0-9]+ 0 \| http://www\.ohne-seiten\.test$' "$work/probe.txt" || fail "no history entry"
  shot runtime-missing
  # Closed by the window manager, as by the close button.
  wmctrl -i -c "$wid"
  ended 20
  ;;
scripted-load)
  # Each load holds at 60 % until Esc stops it.
  export ORVEL_LOAD_SCRIPT="begin; history; status Lade Seite; progress 30 100; wait 600;
    progress 60 100; wait 60000; progress 100 100; complete; progress -1 0"
  start "$build/app/win32/orvelbrowser-scripted.exe" "http://start.test/"
  until_probe 20 '^pane 0 \| Lade Seite$'
  until_probe 10 '^child bMeter .* visible '
  read -r l t r b <<<"$(rect '^child bMeter ')"
  # Blocks up to 60 % of the area and no further: wait for the second value.
  end=$((SECONDS + 10))
  while :; do
    shown=$(navy $((l + (r - l) * 55 / 100)) "$t" $((l + (r - l) * 58 / 100)) "$b")
    [ "$shown" -gt 0 ] && break
    [ $SECONDS -lt $end ] || fail "no navy blocks up to 55 % of the meter"
    sleep 0.2
  done
  [ "$(navy $((l + (r - l) * 65 / 100)) "$t" "$r" "$b")" -eq 0 ] || fail "navy blocks beyond 60 %"
  shot scripted-load
  grep -qE '^tool [0-9]+ enabled .*\| Stop$' "$work/probe.txt" || fail "Stop is off while loading"

  keys Escape
  until_probe 10 '^child bMeter .* hidden '
  grep -qE '^tool [0-9]+ disabled .*\| Stop$' "$work/probe.txt" || fail "Stop still on after Esc"
  [ "$(navy "$l" "$t" "$r" "$b")" -eq 0 ] || fail "navy blocks after the load ended"

  # Enter in the address box opens the typed text; the page goes back to the first.
  keys ctrl+l
  xdotool type --delay 40 'www.zweite.test'
  keys Return
  until_probe 10 '^child OrvelScriptedPage .*\| www\.zweite\.test$'
  until_probe 10 '^tool [0-9]+ enabled .*\| Zurück$'
  keys Escape
  until_probe 10 '^child bMeter .* hidden '
  click_tool Zurück
  until_probe 10 '^child OrvelScriptedPage .*\| http://start\.test$'
  until_probe 10 '^tool [0-9]+ enabled .*\| Vorwärts$'
  grep -qE '^tool [0-9]+ disabled .*\| Zurück$' "$work/probe.txt" || fail "Zurück still on at the first page"
  keys Escape
  until_probe 10 '^child bMeter .* hidden '
  keys alt+Right
  until_probe 10 '^child OrvelScriptedPage .*\| www\.zweite\.test$'
  keys Escape
  until_probe 10 '^child bMeter .* hidden '
  # The keypad's Enter after F6; a new address drops the page ahead.
  keys F6
  xdotool type --delay 40 'dritte.test'
  keys KP_Enter
  until_probe 10 '^child OrvelScriptedPage .*\| dritte\.test$'
  until_probe 10 '^tool [0-9]+ disabled .*\| Vorwärts$'

  # ID_Beenden ends the program while a page is still loading.
  click_tool Beenden
  ended 20
  ;;
scripted-unreachable)
  export ORVEL_LOAD_SCRIPT="begin; history; progress 10 100; unreachable name; complete; progress -1 0"
  start "$build/app/win32/orvelbrowser-scripted.exe" "http://start.test/"
  until_probe 20 '^pane 0 \| Die Seite konnte nicht geladen werden: http://start\.test/?$'
  until_probe 10 '^child OrvelScriptedPage .*\| Der Name des Servers wurde nicht gefunden\.$'
  until_probe 10 '^child bMeter .* hidden '
  shot scripted-unreachable
  click_tool Beenden
  ended 20
  ;;
captions)
  # Command line ^ the page opened ^ the caption's category; hosts as set above.
  export ORVEL_LOAD_SCRIPT="begin; complete; progress -1 0"
  # ends_with PATTERN TEXT: a probe line matching PATTERN ends in "| TEXT".
  ends_with() {
    awk -v p="$1" -v s="| $2" '$0 ~ p && substr($0, length($0) - length(s) + 1) == s { f = 1 } END { exit !f }' "$work/probe.txt"
  }
  # Wine quotes an argument with blanks, and quotes belong to the fields: the
  # extra page's caption has none, but brackets, signs and an umlaut.
  while IFS='^' read -r line page caption; do
    start "$build/app/win32/orvelbrowser-scripted.exe" "$line"
    end=$((SECONDS + 10))
    until ends_with '^child OrvelScriptedPage ' "$page"; do
      [ $SECONDS -lt $end ] || fail "$line: page not $page"
      sleep 0.2
      probe
    done
    grep -qF "window Harlund Webbrowser... Kategorie: $caption | " "$work/probe.txt" || fail "$line: caption"
    ends_with '^child Edit [0-9]+ visible ' "$page" || fail "$line: address box"
    wmctrl -i -c "$wid"
    ended 20
  done <<'EOF2'
4711||Download||^http://start.test/download/?produkt=4711^Download
4711||Programminfo^http://start.test/software^Programminfo
4711|x|Programminfo^http://start.test/software/?ProgID=4711^Programminfo
0||Support^http://start.test/support^Support
0||News^http://start.test/neuigkeiten^News
0||Events^http://start.test/infos^Events
0||ShoppingAUT^http://shop.test/^Shop
x||Download^http://start.test/download/?produkt=0^Download
0||download^http://start.test^Startseite
|||^http://start.test^Startseite
1||http://extra.test/a|Mehr]=;#ü|http://extra.test/a^http://extra.test/a^Mehr]=;#ü
EOF2
  ;;
placement)
  export ORVEL_LOAD_SCRIPT="complete; progress -1 0"
  wine reg delete 'HKCU\Software\VB and VBA Program Settings\OrvelBrowser' /f >/dev/null 2>&1 || true
  # Per caption: the command line, where the window is put, and how it is closed.
  while read -r line caption x y w h closer; do
    start "$build/app/win32/orvelbrowser-scripted.exe" "$line"
    grep -q "^window Harlund Webbrowser\.\.\. Kategorie: $caption |" "$work/probe.txt" || fail "caption $caption"
    # Nothing stored yet: maximized.
    xprop -id "$wid" _NET_WM_STATE | grep -q MAXIMIZED_HORZ || fail "$caption: not maximized at the first start"
    wmctrl -i -r "$wid" -b remove,maximized_vert,maximized_horz
    sleep 0.5
    xdotool windowsize --sync "$wid" "$w" "$h" windowmove --sync "$wid" "$x" "$y"
    sleep 0.5
    probe
    placed=$(window_rect)
    case $closer in
    Beenden) click_tool Beenden ;;
    session) timeout 30 wineboot --end-session >/dev/null 2>&1 || true ;; # log-off: no WM_CLOSE
    *) wmctrl -i -c "$wid" ;;
    esac
    ended 20
    read -r l t r b <<<"$placed"
    [ "$(stored "Harlund Webbrowser... Kategorie: $caption")" = "$((l * 15)) $((t * 15)) $(((r - l) * 15)) $(((b - t) * 15)) 0" ] ||
      fail "$caption: stored $(stored "Harlund Webbrowser... Kategorie: $caption"), window $placed"
  done <<'EOF2'
|0|Startseite Startseite 120 90 640 420 close
7|tool|Support Support 300 200 560 380 Beenden
4711||Programminfo Programminfo 200 150 600 400 session
EOF2
  # Each caption comes back where it was left.
  for spec in "|0|Startseite:Startseite" "7|tool|Support:Support" "4711||Programminfo:Programminfo"; do
    caption=${spec##*:}
    start "$build/app/win32/orvelbrowser-scripted.exe" "${spec%:*}"
    read -r left top width height state <<<"$(stored "Harlund Webbrowser... Kategorie: $caption")"
    # Wine and the window manager may still be trading configure events for
    # the mapped window; what counts is where it settles.
    want="$((left / 15)) $((top / 15)) $(((left + width) / 15)) $(((top + height) / 15))"
    until_probe 10 "^window .*Kategorie: $caption \| rect $want\$"
    wmctrl -i -c "$wid"
    ended 20
  done
  ;;
category)
  export ORVEL_LOAD_SCRIPT="begin; history; complete; progress -1 0"
  start "$build/app/win32/orvelbrowser-scripted.exe" "http://start.test/"
  keys ctrl+l
  xdotool type --delay 40 'www.zweite.test'
  keys Return
  until_probe 10 '^child OrvelScriptedPage .*\| www\.zweite\.test$'
  grep -qE '^child ComboBox 201 .*\| Startseite$' "$work/probe.txt" || fail "Startseite not shown"
  # The list drops below the combo; its first entry is the one shown.
  click_at '^child ComboBox 201 '
  read -r l t r b <<<"$(rect '^child ComboBox 201 ')"
  sleep 0.5
  xdotool mousemove --sync $(((l + r) / 2)) $((b + 8)) click 1
  until_probe 10 '^child OrvelScriptedPage .*\| http://start\.test$'
  keys ctrl+q
  ended 20
  ;;
info)
  export ORVEL_LOAD_SCRIPT="begin; history; complete; progress -1 0"
  start "$build/app/win32/orvelbrowser-scripted.exe" "http://start.test/"
  # A second page, so that Zurück has somewhere to go.
  keys ctrl+l
  xdotool type --delay 40 'www.zweite.test'
  keys Return
  until_probe 10 '^tool [0-9]+ enabled .*\| Zurück$'
  grep -qE '^child OrvelScriptedPage .*\| www\.zweite\.test$' "$work/probe.txt" || fail "second page"
  click_tool Info
  until_probe 20 '^window Info \|' info
  grep -qE '^child OrvelInfoPart [0-9]+ visible .*\| frameKontakt$' "$work/probe.txt" || fail "Kontakt not shown first"
  xdotool mousemove --sync 5 5
  read -r il it ir ib <<<"$(window_rect)"
  sleep 0.5
  # The window with openbox's title bar above it, for the documentation.
  import -silent -window root -crop "$((ir - il))x$((ib - it + 24))+$il+$((it - 24))" "$root/info.png"
  # Dragged by its background (the banner) it moves with the pointer.
  xdotool mousemove --sync $((il + 300)) $((it + 60)) mousedown 1
  xdotool mousemove --sync $((il + 340)) $((it + 90)) sleep 0.3 mousemove --sync $((il + 360)) $((it + 110)) mouseup 1
  until_probe 5 "^window Info \| rect $((il + 60)) $((it + 50)) $((ir + 60)) $((ib + 50))\$" info
  read -r il it ir ib <<<"$(window_rect)"
  # Any button moves it, the right one on a drag surface too, and opens no system menu.
  read -r l t r b <<<"$(rect '^child OrvelInfoPart [0-9]+ visible .*\| frameKontakt$')"
  xdotool mousemove --sync $((r - 5)) $(((t + b) / 2)) mousedown 3
  xdotool mousemove --sync $((r - 35)) $(((t + b) / 2 - 20)) sleep 0.3 mousemove --sync $((r - 65)) $(((t + b) / 2 - 50)) mouseup 3
  sleep 0.5
  probe info && ! grep -q '^menu open$' "$work/probe.txt" || fail "a menu opened after the right button's drag"
  until_probe 5 "^window Info \| rect $((il - 60)) $((it - 50)) $((ir - 60)) $((ib - 50))\$" info
  read -r il it ir ib <<<"$(window_rect)"
  # Modal: the browser window takes no input, its tools do nothing.
  until_probe 5 '^state disabled$'
  click_tool Zurück
  sleep 1
  until_probe 5 '^child OrvelScriptedPage .*\| www\.zweite\.test$'
  probe info || fail "the Info window closed on a click on the browser window"

  # Each click shows one frame and hides others; the pointer then rests on
  # a panel that is not the current one, which is dark blue only while hovered.
  while read -r panel shown hidden hover; do
    probe info
    click_at "^child OrvelInfoPart [0-9]+ visible enabled .*\| $panel\$"
    until_probe 10 "^child OrvelInfoPart [0-9]+ visible .*\| $shown\$" info
    for frame in ${hidden//,/ }; do
      grep -qE "^child OrvelInfoPart [0-9]+ hidden .*\| $frame\$" "$work/probe.txt" || fail "$panel: $frame still shows"
    done
    read -r l t r b <<<"$(rect "^child OrvelInfoPart [0-9]+ visible enabled .*\| $hover\$")"
    xdotool mousemove --sync $(((l + r) / 2)) $(((t + b) / 2))
    sleep 0.3
    [ "$(pixels "0 85 143" "$l" "$t" "$r" "$b")" -gt 0 ] || fail "$hover not highlighted under the pointer"
    xdotool mousemove --sync $((il + 10)) $((ib - 10))
    sleep 0.3
    [ "$(pixels "0 85 143" "$l" "$t" "$r" "$b")" -eq 0 ] || fail "$hover still highlighted after the pointer left"
  done <<'EOF2'
Vertrieb frameVertrieb frameKontakt,frameLand,frameAutoren Autoren
Autoren frameAutoren frameVertrieb,frameKontakt Kontakt
Kontakt frameKontakt frameVertrieb,frameAutoren,frameSarnfeld Vertrieb
Deutschland frameSarnfeld frameOlmbach,frameKestadt Österreich
EOF2

  # The German office's block, with CR LF and the address that reaches it.
  click_at '^child Button [0-9]+ visible .*\| Kontakt in die Zwischenablage Kopieren$'
  until_probe 10 '^clipboard ' clipboard
  expected='clipboard | Harlund Software GmbH\r\nD-83129 Sarnfeld, Marktplatz 7\r\nTel.: +49 (0)8051 90 44 10\r\nFax.: +49 (0)8051 90 44 19\r\nMail: vertrieb.de@harlund.example'
  grep -qxF -- "$expected" "$work/probe.txt" || fail "clipboard: $(cat "$work/probe.txt")"

  # Esc closes it, from a focused button too; the browser window reacts again.
  keys Escape
  end=$((SECONDS + 10))
  while probe info; do [ $SECONDS -lt $end ] || fail "Esc did not close the Info window"; sleep 0.2; done
  until_probe 5 '^state enabled$'
  click_tool Zurück
  until_probe 10 '^child OrvelScriptedPage .*\| http://start\.test$'
  wmctrl -i -c "$wid"
  ended 20
  ;;
*)
  echo "usage: $0 runtime-missing|scripted-load|scripted-unreachable|captions|placement|category|info BUILD_DIR" >&2
  exit 2
  ;;
esac
echo "passed: $case"
