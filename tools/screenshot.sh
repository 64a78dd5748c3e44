#!/usr/bin/env bash
# Screenshot of the main window showing the phases of the Moon, made under a virtual display:
#   tools/screenshot.sh [build-dir] [output.png]
set -euo pipefail
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
