# Sourced by the scripts: picks the Wine that can run here and makes Wine prefixes.
#
# The product is the 32-bit build (preset "windows"). Debian's 32-bit Wine needs a
# kernel that runs 32-bit Linux programs; where the kernel has that switched off
# (ia32_emulation=off), the same sources are run and tested as the 64-bit build
# (preset "windows64") under 64-bit Wine.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

tarnwick_pick_wine() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1 \
     && [ -x /usr/bin/wine ]; then
    TARNWICK_WINE=/usr/bin/wine
    TARNWICK_PRESET=windows
  else
    TARNWICK_WINE=/usr/lib/wine/wine64
    TARNWICK_PRESET=windows64
  fi
  export TARNWICK_WINE TARNWICK_PRESET
}

# tarnwick_make_prefix DIR: a fresh, quiet Wine prefix (only once: an existing one is kept).
tarnwick_make_prefix() {
  local prefix=$1
  if [ -f "$prefix/.tarnwick-ready" ]; then return 0; fi
  rm -rf "$prefix"
  mkdir -p "$prefix"
  WINEPREFIX=$prefix "$TARNWICK_WINE" wineboot -i >/dev/null 2>&1 || true
  # Wine's own fonts (the caption buttons' Marlett among them), where this Wine
  # doesn't find its data folder by itself.
  if [ -d /usr/share/wine/fonts ] && [ -d "$prefix/drive_c/windows/Fonts" ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  # Without a window manager (Xvfb) Wine waits at every hide or destroy of a managed window.
  WINEPREFIX=$prefix "$TARNWICK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # A crash ends the process instead of waiting on a dialog nobody answers.
  WINEPREFIX=$prefix "$TARNWICK_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
  touch "$prefix/.tarnwick-ready"
}

# Code page 936, the players' own.
tarnwick_chinese_locale() {
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

# tarnwick_start_xvfb: starts a private X server for windows nobody looks at, sets
# DISPLAY, and stops it when the calling script exits.
tarnwick_start_xvfb() {
  local display
  for display in $(seq 99 -1 80); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  TARNWICK_XVFB_PID=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
  done
  trap 'kill $TARNWICK_XVFB_PID 2>/dev/null || true' EXIT
}

# tarnwick_display_works: true when DISPLAY names an X server that answers.
tarnwick_display_works() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}
