#!/usr/bin/env bash
# Runs a 64-bit Windows program under wine64 in the project's own prefix, made
# on first use: no window manager is assumed, and SimSun maps to a CJK font
# that Debian ships. CHANNELFLOW_WINE_DPI (96 unless set) is the screen's DPI;
# the DPI is a setting of the prefix, so each DPI gets a prefix of its own.
set -euo pipefail
dpi="${CHANNELFLOW_WINE_DPI:-96}"
case "$dpi" in
  '' | *[!0-9]*) echo "CHANNELFLOW_WINE_DPI must be a number of pixels per inch, not '$dpi'" >&2; exit 2 ;;
esac
prefix="${CHANNELFLOW_WINEPREFIX:-${TMPDIR:-/tmp}/channelflow-wine}"
[ "$dpi" = 96 ] || prefix="$prefix-$dpi"
export WINEPREFIX="$prefix"
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
      wine64_reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
      wineserver -w || true
      touch "$WINEPREFIX/.channelflow-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec "$wine64" "$@"
