#!/usr/bin/env bash
# Installs what the build needs, builds, and runs the whole test suite: first
# the normal build, then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows build (mingw-w64), whose tests
# and windows run under Wine.
#   scripts/test.sh             all three builds
#   scripts/test.sh --quick     the normal build only
#   scripts/test.sh --sanitize  the sanitizer build only
#   scripts/test.sh --win32     the Windows build only
set -euo pipefail
cd "$(dirname "$0")/.."

presets=(dev asan win32)
case "${1:-}" in
  --quick) presets=(dev) ;;
  --sanitize) presets=(asan) ;;
  --win32) presets=(win32) ;;
  "") ;;
  *) echo "usage: $0 [--quick|--sanitize|--win32]" >&2; exit 2 ;;
esac

./scripts/install-deps.sh

echo "== format"
find app bench browser components core demo info modules platform resources sysutil tests \
  -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

for preset in "${presets[@]}"; do
  echo "== ${preset}: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== ${preset}: test"
  ctest --preset "$preset"
done
