#!/usr/bin/env bash
# Runs a 64-bit Windows program under wine64 in the project's own prefix, made
# on first use: no window manager is assumed, and SimSun maps to a CJK font
# that Debian ships.
set -euo pipefail
export WINEPREFIX="${CHANNELFLOW_WINEPREFIX:-${TMPDIR:-/tmp}/channelflow-wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=wine64
if [ ! -f "$WINEPREFIX/.channelflow-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.channelflow-ready" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wine64_reg() { "$wine64" reg add "$@" /f >/dev/null 2>&1; }
      wine64_reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
      wine64_reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'AR PL UMing CN'
      wine64_reg 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /t REG_SZ /d 'AR PL UMing CN'
      wineserver -w || true
      touch "$WINEPREFIX/.channelflow-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec "$wine64" "$@"
