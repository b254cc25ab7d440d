#!/usr/bin/env bash
# The shipped program keeps the web engine's sandbox on: started by an
# ordinary user, its page renderer runs under a seccomp filter (mode 2) in a
# PID and a user namespace of its own. Run as root, the check makes that user
# (orvel-sandbox) and runs a copy of the program as it; run as another user,
# it runs the program as that user.
#   check-sandbox.sh PROGRAM      (on an X display: xvfb-run -s -ac ...)
set -euo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d /tmp/orvel-sandbox.XXXXXX)
chmod 755 "$work"
trap 'pkill -u "$user" -f "$work/orvelbrowser" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$program" "$work/orvelbrowser"
chmod 755 "$work/orvelbrowser"

run=()
user=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  user=orvel-sandbox
  id "$user" >/dev/null 2>&1 || useradd --system --create-home "$user"
  run=(runuser -u "$user" --)
fi
[ -z "${QTWEBENGINE_DISABLE_SANDBOX:-}" ] || fail "QTWEBENGINE_DISABLE_SANDBOX is set"

home=$work/home
mkdir -p "$home"
chown "$user" "$home"
"${run[@]}" env -u XAUTHORITY HOME="$home" XDG_RUNTIME_DIR="$home" \
  ORVEL_MAIN_HOST=127.0.0.1:9 QT_QPA_PLATFORM=xcb "$work/orvelbrowser" '4711||Download' \
  2>"$work/stderr" &
main=$!

# The renderer is forked from the engine's zygote: it is the process of the
# program's tree that carries a seccomp filter.
renderer=""
for _ in $(seq 150); do
  for pid in $(pgrep -u "$user" -f QtWebEngineProcess || true); do
    if grep -q '^Seccomp:[[:space:]]*2' "/proc/$pid/status" 2>/dev/null; then
      renderer=$pid
      break 2
    fi
  done
  kill -0 "$main" 2>/dev/null || { cat "$work/stderr" >&2; fail "the program ended early"; }
  sleep 0.2
done
[ -n "$renderer" ] || { cat "$work/stderr" >&2; fail "no renderer with a seccomp filter"; }

browser=$(pgrep -u "$user" -f "$work/orvelbrowser" | head -n 1)
# The renderer descends from this program, through the engine's zygote.
ancestor=$renderer
for _ in 1 2 3 4; do
  ancestor=$(awk '/^PPid:/ {print $2}' "/proc/$ancestor/status" 2>/dev/null)
  [ "$ancestor" = "$browser" ] && break
done
[ "$ancestor" = "$browser" ] || fail "renderer $renderer is not the program's"
for ns in pid user; do
  [ "$(readlink "/proc/$renderer/ns/$ns")" != "$(readlink "/proc/$browser/ns/$ns")" ] ||
    fail "the renderer shares the program's $ns namespace"
done
grep -q 'Sandboxing disabled' "$work/stderr" && fail "the engine reports its sandbox off"
echo "renderer $renderer: seccomp mode 2, own PID and user namespaces"
kill -TERM "$browser"
wait "$main" || fail "the program did not end cleanly on SIGTERM"
