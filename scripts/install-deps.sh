#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  # Compiler output kept between builds and checkouts (CMakeLists.txt).
  ccache
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  qt6-httpserver-dev qt6-websockets-dev qt6-svg-dev qt6-image-formats-plugins
  libqt6svg6 qt6-qpa-plugins libgl-dev libegl-dev libxkbcommon-dev
  # The launcher's startup notification of a handed-over start.
  libxcb1-dev
  # Qt's own catalogs: its print, file and message dialogs in German.
  qt6-translations-l10n
  # German spell checking in the pages' text fields (the engine's .bdic form),
  # and a session bus for the desktop notifications of the tests.
  hunspell-de-de dbus
  xvfb xauth x11-utils fonts-dejavu-core fonts-liberation2
  libbenchmark-dev doctest-dev
  # The fuzz targets (scripts/fuzz.sh): clang with libFuzzer and the sanitizers.
  clang libclang-rt-14-dev
  # A window manager that decorates windows, for the placement tests.
  openbox xdotool
  # pgrep and pkill for the runs of the real program as an ordinary user.
  procps
  # The Debian package (dpkg-shlibdeps), the check of the desktop entry, and
  # the text of a saved PDF.
  dpkg-dev desktop-file-utils poppler-utils
  # The Windows build of the utility class and its tests under Wine. The -posix
  # compiler has std::thread; the plain mingw meta package would switch the
  # default to the thread model without it.
  g++-mingw-w64-x86-64-posix wine64 wine
  # The Windows program's icons rendered from the SVG files at build time, its
  # installer, and its window tests under Wine: screenshots and window lists.
  librsvg2-bin icoutils nsis imagemagick wmctrl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: run as root to install: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The WebView2 SDK (header and loader DLL) for the Windows build, restored
# through the machine's `dotnet` client and its configured package source into
# a fixed folder outside the build tree, where cmake/WebView2.cmake looks.
# Without `dotnet` the Windows build goes on without the WebView2 adapter.
nuget_packages=${ORVEL_NUGET_PACKAGES:-${XDG_CACHE_HOME:-$HOME/.cache}/orvelbrowser/nuget}
restore_project=$(cd "$(dirname "$0")/.." && pwd)/cmake/webview2/webview2.csproj
webview2_version=$(sed -n 's/.*"Microsoft.Web.WebView2" Version="\[\([^]]*\)\]".*/\1/p' "$restore_project")
if [ -f "$nuget_packages/microsoft.web.webview2/$webview2_version/build/native/include/WebView2.h" ]; then
  :
elif command -v dotnet >/dev/null; then
  # The restore's own bookkeeping goes beside the packages, not into the sources.
  DOTNET_CLI_TELEMETRY_OPTOUT=1 DOTNET_NOLOGO=1 DOTNET_SKIP_FIRST_TIME_EXPERIENCE=1 \
    dotnet restore "$restore_project" --packages "$nuget_packages" --verbosity quiet \
    -p:BaseIntermediateOutputPath="$nuget_packages/.restore/" \
    -p:MSBuildProjectExtensionsPath="$nuget_packages/.restore/"
else
  echo "install-deps: no dotnet client; the Windows build goes without WebView2" >&2
fi
