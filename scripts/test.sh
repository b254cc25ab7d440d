#!/usr/bin/env bash
# Installs what the build needs, builds, and runs the whole test suite: first
# the normal build, then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#   scripts/test.sh             both builds
#   scripts/test.sh --quick     the normal build only
#   scripts/test.sh --sanitize  the sanitizer build only
set -euo pipefail
cd "$(dirname "$0")/.."

presets=(dev asan)
case "${1:-}" in
  --quick) presets=(dev) ;;
  --sanitize) presets=(asan) ;;
  "") ;;
  *) echo "usage: $0 [--quick|--sanitize]" >&2; exit 2 ;;
esac

./scripts/install-deps.sh

for preset in "${presets[@]}"; do
  echo "== ${preset}: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== ${preset}: test"
  ctest --preset "$preset"
done
