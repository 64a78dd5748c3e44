#!/usr/bin/env bash
# Screenshots of the main window, made under a virtual display:
#   tools/screenshot.sh [build-dir] [output.png]        the phases of the Moon
#   tools/screenshot.sh --map [build-dir] [output.png]  2024's eclipse map zoomed on its path at
#       Dallas with the pointer panel, as the real-window test drives it
set -euo pipefail
if [ "${1:-}" = "--map" ]; then
  build=${2:-build}
  out=${3:-docs/map-window-zoomed-2024.png}
  python3 "$(dirname "$0")/../tests/app/real_window_test.py" "$build/quorvel" "$build/quorvel-cli" --save-window "$out"
  convert "$out" +dither -colors 64 -strip "PNG8:$out"  # a small picture: the window has few colours
  echo "wrote $out"
  exit 0
fi
build=${1:-build}
out=${2:-docs/main-window.png}
command -v xdotool >/dev/null || apt-get install -y --no-install-recommends xdotool >/dev/null
work=$(mktemp -d)
cp "$build/quorvel" "$work/"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
  '$work/quorvel' & pid=\$!
  sleep 2
  window=\$(xdotool search --sync --name 'Quorvel - 5.6' | head -1)
  xdotool windowfocus \$window; sleep 0.5; xdotool key m
  sleep 1
  import -window \$window '$out'
  kill \$pid"
rm -rf "$work"
echo "wrote $out"
