#!/usr/bin/env bash
# Takes docs/report.png again: `porukami-cli report` on the demo content, shown by headless
# Chromium at 1280 px wide, the whole page.
# usage: scripts/report-shot.sh [BUILD_DIR]   (default build/release; porukami-cli and
#        porukami_content built there)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
work=$(mktemp -d)
# The content in a folder of a fixed name, so the page names no build folder.
demo=${TMPDIR:-/tmp}/porukami-demo
trap 'rm -rf "$work" "$demo"' EXIT
rm -rf "$demo"
mkdir "$demo"
cp -r "$build/bin/txt" "$build/bin/img" "$build/bin/bgm.mid" "$demo/"
"$build/bin/porukami-cli" report --dir "$demo" --out "$work/report.html"
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/profile" --hide-scrollbars \
  --window-size=1280,9000 --screenshot="$work/shot.png" "file://$work/report.html" 2> /dev/null
# Down to the end of the page (what is drawn, and a margin), in 128 colours.
read -r height top < <(convert "$work/shot.png" -trim -format '%h %Y\n' info: | tr -d '+')
convert "$work/shot.png" -crop "1280x$((height + top + 20))+0+0" +repage +dither -colors 128 \
  -define png:compression-level=9 docs/report.png
echo "wrote docs/report.png"
