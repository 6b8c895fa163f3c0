# Sourced: a private Wine session for tests and demos.
#   wine_session_start DIR   fresh prefix in DIR/prefix, own Xvfb display, code page 936
#   wine_session_stop        ends that prefix's wineserver and that Xvfb, by id
# Only processes this session started are ended.

WINE_SESSION_XVFB_PID=""

wine_session_fail() {
  echo "wine-session: $*" >&2
  wine_session_stop
  return 1
}

wine_session_start() {
  local dir=$1
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)  # Wine wants an absolute prefix
  export WINEPREFIX="$dir/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=zh_CN.UTF-8
  export WINEARCH=win32

  if [ -z "${WINE_SESSION_USE_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local n=${WINE_SESSION_DISPLAY_FROM:-91}
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${WINE_SESSION_SCREEN:-1280x800x24}" -nolisten tcp \
      >"$dir/xvfb.log" 2>&1 &
    WINE_SESSION_XVFB_PID=$!
    export DISPLAY=":$n"
    local tries=0
    until [ -e "/tmp/.X11-unix/X$n" ]; do
      tries=$((tries + 1))
      if [ $tries -gt 100 ] || ! kill -0 "$WINE_SESSION_XVFB_PID" 2>/dev/null; then
        wine_session_fail "Xvfb did not start on :$n (see $dir/xvfb.log)"
        return 1
      fi
      sleep 0.1
    done
  fi

  rm -rf "$WINEPREFIX"
  wineboot -i >"$dir/wineboot.log" 2>&1 || { wine_session_fail "wineboot failed (see $dir/wineboot.log)"; return 1; }
  wineserver -w

  # Every text of the program is code page 936; anything else makes the tests meaningless.
  local acp
  acp=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null \
        | tr -d '\r' | awk '$1 == "ACP" { print $3 }')
  if [ "$acp" != "936" ]; then
    wine_session_fail "Wine reports ANSI code page '${acp:-none}', not 936: is the zh_CN.UTF-8 locale generated?"
    return 1
  fi
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$WINE_SESSION_XVFB_PID" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=""
  fi
}
