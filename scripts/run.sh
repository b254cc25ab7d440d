#!/usr/bin/env bash
# Installs what is needed, builds, and starts OrvelBrowser with the given
# command line (for example '4711||Download'). When the maker's main host
# cannot be reached, the local demo site stands in for both hosts.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target orvelbrowser orvel-demosite

build=build/dev
cache_value() { sed -n "s/^$1:STRING=//p" "$build/CMakeCache.txt"; }
main_host=${ORVEL_MAIN_HOST:-$(cache_value ORVEL_MAIN_HOST)}

reachable() {
  local host=${1%%:*} port=80
  [[ $1 == *:* ]] && port=${1##*:}
  timeout 3 bash -c "exec 3<>/dev/tcp/$host/$port" 2>/dev/null
}

if ! reachable "$main_host"; then
  echo "run: $main_host cannot be reached; starting the local demo site"
  hosts=$(mktemp)
  "$build/demo/orvel-demosite" >"$hosts" &
  site=$!
  trap 'kill $site 2>/dev/null; rm -f "$hosts"' EXIT
  for _ in $(seq 50); do
    [ "$(wc -l <"$hosts")" -ge 2 ] && break
    sleep 0.1
  done
  set -a
  # shellcheck disable=SC1090
  . "$hosts"
  set +a
  echo "run: main host $ORVEL_MAIN_HOST, shop host $ORVEL_SHOP_HOST"
fi

# The engine's sandbox cannot run as root; everywhere else it stays on.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found; the browser runs on a virtual display (Xvfb). Stop it with Ctrl+C."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/app/orvelbrowser" "$@"
else
  "$build/app/orvelbrowser" "$@"
fi
