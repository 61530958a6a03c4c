#!/usr/bin/env bash
# Takes the README's screenshots of the real program under Wine:
# docs/main-window.png and docs/about-box.png.
set -euo pipefail
cd "$(dirname "$0")/../.."

tools/ci/install-deps.sh
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 -j "$(nproc)" --target Lorvane screenshot_driver

export LANG=zh_CN.UTF-8
# shellcheck source=tools/ci/wine-session.sh
source tools/ci/wine-session.sh
lorvane_wine_start
mkdir -p docs

shoot() {  # shoot OUTPUT [driver options]
  local output=$1
  shift
  "$LORVANE_WINE" build/mingw-x64/bin/Lorvane.exe &
  local program=$!
  "$LORVANE_WINE" build/mingw-x64/bin/screenshot_driver.exe "$@"
  import -window root -crop 800x600+0+0 "$output.full.png"
  convert "$output.full.png" -trim +repage "$output"
  rm -f "$output.full.png"
  /usr/lib/wine/wineserver -k || true
  wait "$program" 2>/dev/null || true
}

shoot docs/main-window.png
shoot docs/about-box.png --about
echo "Wrote docs/main-window.png and docs/about-box.png"
