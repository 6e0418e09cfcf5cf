#!/usr/bin/env bash
# Builds the Debian package from a build folder, installs it on this machine
# with apt-get, and checks the installed programs: channelflow-cli gives the
# worked example, the offline page opens in chromium from its installed place,
# and the window opens and paints on a virtual display.
#   tests/package/check_deb.sh [BUILD_DIR]
# Needs root (or sudo), xvfb, xdotool and imagemagick, and the page built with
# its test tools (./dev web: the wasm build and npm ci under web/).
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/default}"
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
fail() { echo "check_deb: $*" >&2; exit 1; }

version=$(sed -n 's/^project(channelflow VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
architecture=$(dpkg --print-architecture)
package="$build/channelflow_${version}_${architecture}.deb"
rm -f "$package"
log=$(cd "$build" && cpack -G DEB 2>&1) || { echo "$log" >&2; fail "cpack failed"; }
[ -f "$package" ] || fail "cpack did not make $package"

# What the package holds and what it needs.
contents=$(dpkg-deb -c "$package")
for file in ./usr/bin/channelflow ./usr/bin/channelflow-cli ./usr/share/applications/channelflow.desktop \
            ./usr/share/icons/hicolor/32x32/apps/channelflow.png ./usr/share/icons/hicolor/scalable/apps/channelflow.svg \
            ./usr/share/metainfo/org.channelflow.channelflow.metainfo.xml ./usr/share/man/man1/channelflow-cli.1.gz \
            ./usr/share/channelflow/channelflow.html ./usr/share/applications/channelflow-toolkit.desktop; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
depends=$(dpkg-deb -f "$package" Depends)
for needed in fonts-arphic-uming qt6-translations-l10n xdg-utils libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -q "\b$needed\b" <<<"$depends" || fail "the package does not depend on $needed ($depends)"
done

as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "./$package" >/dev/null
[ "$(dpkg-query -W -f='${Version}' channelflow)" = "$version" ] || fail "channelflow $version is not installed"

# The installed command line program.
expected=$'0.921022784049301\n2.7630683521479'
actual=$(/usr/bin/channelflow-cli 2 1 1 0.001 0.025) || fail "channelflow-cli failed"
[ "$actual" = "$expected" ] || fail "channelflow-cli printed '$actual'"
man -l /usr/share/man/man1/channelflow-cli.1.gz >/dev/null 2>&1 || gzip -t /usr/share/man/man1/channelflow-cli.1.gz \
  || fail "the manual page does not read"

# The installed page: its menu entry opens it, and it works from there.
grep -qx 'Exec=xdg-open /usr/share/channelflow/channelflow.html' /usr/share/applications/channelflow-toolkit.desktop \
  || fail "the page's menu entry does not open the installed page"
page_q=$(node tests/web/open_page.mjs /usr/share/channelflow/channelflow.html) || fail "the installed page does not open"
[ "$page_q" = "2.7630683521479" ] || fail "the installed page shows Q = '$page_q'"

# The installed window: it maps and paints its controls (text pixels, not
# only the background) on a private X display.
shot=$(mktemp --suffix=.png)
number=$(mktemp)
program_pid=""
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$number" &
xvfb=$!
trap 'kill $program_pid $xvfb 2>/dev/null || true; rm -f "$shot" "$number"' EXIT
for _ in $(seq 50); do [ -s "$number" ] && break; sleep 0.1; done
[ -s "$number" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$number")" XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
/usr/bin/channelflow &
program_pid=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  kill -0 "$program_pid" 2>/dev/null || fail "the installed window exited at start"
  sleep 0.2
done
[ -n "$window" ] || fail "the installed window did not appear"
sleep 0.5
import -window "$window" "$shot"
dark=$(convert "$shot" -colorspace Gray -threshold 50% -format '%[fx:int(w*h*(1-mean))]' info:)
[ "$dark" -gt 200 ] || fail "the installed window painted no text ($dark dark pixels)"
echo "check_deb: $package installs; channelflow-cli and the window work ($dark dark pixels painted)"
