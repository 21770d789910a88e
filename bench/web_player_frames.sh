#!/usr/bin/env bash
# How long the web player takes per frame in the browser: writes the demo
# deck's page with `slideanim html`, plays it in the system's chromium
# (headless) with Space pressed eight times under the performance tracer, and
# prints the longest animation-frame callback and main-thread task, as wall
# time and as the thread's processor time.
#
#   bench/web_player_frames.sh [BUILD_DIR] [DECK]   (default build/release, the demo deck)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
deck=${2:-examples/decks/demo.pptx}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$build/cli/slideanim" html "$deck" -o "$out/html" >/dev/null
echo "file://$(realpath "$out/html")/index.html#slide=1&t=0 $out/first.png" |
  node tests/web/shoot.js "$(command -v chromium)" 960 540 --trace "$out/trace.json"
