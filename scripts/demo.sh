#!/usr/bin/env bash
# The demo: set up, build, lay out a sample installed application with the client beside it,
# and open the client on it under Wine. On a machine with a display (DISPLAY set) the window
# opens there and the script waits until it is closed; otherwise it runs on a private virtual
# display and a screenshot is saved to build/demo/quillark.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target quillark sample_app

demo="$root/build/demo"
app="$demo/installed"
rm -rf "$app"
mkdir -p "$app"
cp build/windows/client/quillark.exe "$app/"
cp build/windows/tools/demo/sample_app.exe "$app/"
# The configuration is GBK, like every file the programs read.
sed 's/@PORT@/8765/' tools/demo/quillark.ini.in | iconv -f UTF-8 -t GBK > "$app/quillark.ini"

. scripts/xvfb.sh
. scripts/wine-env.sh "$root/build/windows"
own_display=""
if [ -z "${DISPLAY:-}" ]; then
  quill_xvfb_up
  own_display=1
fi
cleanup() {
  quill_wine_down
  quill_xvfb_down
}
trap cleanup EXIT
quill_wine_up

echo "demo: the sample application and its client are in $app"
if [ -z "$own_display" ]; then
  echo "demo: opening the client on $DISPLAY; close it to end the demo"
  (cd "$app" && "$WINELOADER" quillark.exe)
  exit 0
fi

(cd "$app" && "$WINELOADER" quillark.exe </dev/null >/dev/null 2>&1) &
client=$!
sleep "${QUILL_DEMO_SECONDS:-6}"
import -window root -crop 565x415+357+304 +repage "$demo/quillark.png" 2>/dev/null ||
  xwd -root -silent | convert xwd:- "$demo/quillark.png"
echo "demo: screenshot of the client window saved to $demo/quillark.png"
kill "$client" 2>/dev/null || true
