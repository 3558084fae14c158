#!/usr/bin/env bash
# Starts the viewer in a real window under Xvfb, waits until it is drawn, saves a screenshot and
# closes it.   scripts/screenshot.sh OUT.png [gonilux arguments...]
# The arguments go to the viewer, e.g. `--lang en` for the English interface.
# GONILUX_BIN overrides the viewer binary; SCREENSHOT_DELAY the seconds to wait after mapping.
set -euo pipefail
out=${1:?usage: scripts/screenshot.sh OUT.png [gonilux arguments...]}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${GONILUX_BIN:-$root/build/apps/gonilux/gonilux}
[[ -x "$bin" ]] || { echo "error: $bin not built (run ./run.sh or cmake --build build)" >&2; exit 1; }
for tool in Xvfb import xwininfo; do
  command -v "$tool" >/dev/null || "$root/scripts/install-deps.sh" imagemagick
done

display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xwininfo -display "$display" -root >/dev/null 2>&1 && break; sleep 0.1; done

settings=$(mktemp -d)
DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin" --settings "$settings/gonilux.ini" "$@" &
app=$!
for _ in $(seq 100); do
  DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q '"Gonilux' && break
  sleep 0.1
done
sleep "${SCREENSHOT_DELAY:-2}"
DISPLAY=$display import -window root "$out"
kill -TERM "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
rm -rf "$settings"
echo "$out"
