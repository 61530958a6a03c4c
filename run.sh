#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, on this machine's
# display (or a private virtual one when there is none).
set -euo pipefail
cd "$(dirname "$0")"

tools/ci/install-deps.sh
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 -j "$(nproc)" --target Lorvane

export LANG=zh_CN.UTF-8
[ -n "${DISPLAY:-}" ] && export LORVANE_OWN_DISPLAY=0
# shellcheck source=tools/ci/wine-session.sh
source tools/ci/wine-session.sh
lorvane_wine_start
echo "Lorvane is running on display $DISPLAY; close its window to end."
"$LORVANE_WINE" build/mingw-x64/bin/Lorvane.exe
