# Sourced by run.sh and test.sh: a private X display and Wine prefix for this
# run, both removed when the shell exits. After lorvane_wine_start, DISPLAY,
# WINEPREFIX, WINEDEBUG and LORVANE_WINE are set and the prefix's default
# desktop is a 1024x768 virtual desktop, so windows get title bars and share
# one desktop. lorvane_wine_use_prefix switches to another prefix of the same
# session, made on first use: the 32-bit programs run in one of their own.

lorvane_wine_cleanup() {
  local prefix
  for prefix in "${LORVANE_SESSION_DIR:-/nonexistent}"/prefix*; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
  done
  [ -n "${LORVANE_XVFB_PID:-}" ] && kill "$LORVANE_XVFB_PID" 2>/dev/null || true
  [ -n "${LORVANE_SESSION_DIR:-}" ] && rm -rf "$LORVANE_SESSION_DIR"
}

winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

lorvane_wine_start() {
  LORVANE_SESSION_DIR=$(mktemp -d /tmp/lorvane-wine.XXXXXX)
  trap lorvane_wine_cleanup EXIT

  if [ -z "${DISPLAY:-}" ] || [ "${LORVANE_OWN_DISPLAY:-1}" = 1 ]; then
    local display=90
    while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
    Xvfb ":${display}" -screen 0 1280x1024x24 -nolisten tcp >"$LORVANE_SESSION_DIR/xvfb.log" 2>&1 &
    LORVANE_XVFB_PID=$!
    export DISPLAY=":${display}"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi

  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  lorvane_wine_use_prefix prefix /usr/lib/wine/wine64
}

# lorvane_wine_use_prefix NAME LOADER: LOADER runs the programs, in the
# session's prefix NAME. A new prefix is made by the 64-bit loader, which
# gives it the 32-bit system folder (syswow64) as well when wine32 is there.
lorvane_wine_use_prefix() {
  export WINEPREFIX="$LORVANE_SESSION_DIR/$1"
  export LORVANE_WINE=$2
  [ -d "$WINEPREFIX" ] && return
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  # Wine's own fonts (Tahoma, Marlett for the caption buttons) and a link from
  # Tahoma to a Chinese font, as Windows links its UI fonts to SimSun/YaHei.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  cat >"$LORVANE_SESSION_DIR/session.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
  /usr/lib/wine/wine64 regedit /S "$(winepath_of "$LORVANE_SESSION_DIR/session.reg")" >/dev/null 2>&1
  local face view
  for face in Tahoma "Tahoma Bold" "Microsoft Sans Serif"; do
    for view in 64 32; do
      /usr/lib/wine/wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f "/reg:$view" >/dev/null 2>&1
    done
  done
  /usr/lib/wine/wineserver -w
}
