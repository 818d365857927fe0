#!/usr/bin/env bash
# The demo: set up, build, lay out a sample installed application (version 1.0) with the
# client beside it, serve the sample release 1.1 from a local web server, and open the client
# on it under Wine, ready to walk the wizard to the finished download.
# On a machine with a display (DISPLAY set) the window opens there and the script waits until
# it is closed. Otherwise it runs on a private virtual display, walks the wizard itself with
# mouse clicks and saves screenshots to build/demo/.
#   bash scripts/demo.sh           the update client
#   bash scripts/demo.sh quillset  the configuration assistant on the same sample configuration
set -euo pipefail
program=${1:-quillark}
case "$program" in
  quillark | quillset) ;;
  *) echo "usage: $0 [quillark|quillset]" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target quillark quillset sample_app sample_app_11

demo="$root/build/demo"
app="$demo/installed"
served="$demo/served"
rm -rf "$app" "$served"
mkdir -p "$app" "$served"

# The installed application and its client.
cp build/windows/client/quillark.exe "$app/"
[ "$program" = quillset ] && cp build/windows/assistant/quillset.exe "$app/"
cp build/windows/tools/demo/sample_app.exe "$app/"

# The release, as a publisher puts it on the server: texts in GBK, the program as .ex_.
cp -r tools/demo/release "$served/release"
for text in updates.ini 更新说明.txt docs/readme.txt; do
  iconv -f UTF-8 -t GBK "tools/demo/release/$text" >"$served/release/$text"
done
cp build/windows/tools/demo/sample_app_11.exe "$served/release/sample_app.ex_"

python3 tools/http_test_server.py --root "$served" --port-file "$demo/port" --detach-stdio &
server=$!

. scripts/xvfb.sh
. scripts/wine-env.sh "$root/build/windows"
own_display=""
cleanup() {
  kill "$server" 2>/dev/null || true
  quill_wine_down
  quill_xvfb_down
}
trap cleanup EXIT
rm -f "$demo/port"
for _ in $(seq 1 100); do [ -s "$demo/port" ] && break; sleep 0.1; done
port=$(cat "$demo/port")
# The configuration is GBK, like every file the programs read.
sed "s/@PORT@/$port/" tools/demo/quillark.ini.in | iconv -f UTF-8 -t GBK >"$app/quillark.ini"
echo "demo: release 1.1 served at http://127.0.0.1:$port/release/"
echo "demo: the sample application 1.0 and its client are in $app"

if [ -z "${DISPLAY:-}" ]; then
  quill_xvfb_up
  own_display=1
fi
quill_wine_up

if [ -z "$own_display" ]; then
  echo "demo: opening $program.exe on $DISPLAY; close it to end the demo"
  (cd "$app" && "$WINELOADER" "$program.exe")
  exit 0
fi

if [ "$program" = quillset ]; then
  (cd "$app" && "$WINELOADER" quillset.exe </dev/null >/dev/null 2>&1) &
  sleep "${QUILL_DEMO_SECONDS:-6}"
  import -window root -crop 792x573+$(((1280 - 792) / 2))+$(((1024 - 573) / 2)) +repage "$demo/quillset.png" 2>/dev/null
  echo "demo: screenshot $demo/quillset.png"
  exit 0
fi

(cd "$app" && "$WINELOADER" quillark.exe </dev/null >/dev/null 2>&1) &
client=$!
# The window is centred on the 1280 x 1024 virtual screen; "下一步" sits in its button row.
window_left=$(((1280 - 545) / 2))
window_top=$(((1024 - 395) / 2))
next_x=$((window_left + 10 + 267 + 40))
next_y=$((window_top + 40 + 318 + 11))
shot() {
  import -window root -crop 565x415+$((window_left - 10))+$((window_top - 10)) +repage "$demo/$1.png" 2>/dev/null
  echo "demo: screenshot $demo/$1.png"
}
click_next() {
  xdotool mousemove "$next_x" "$next_y" click 1
  sleep "${QUILL_DEMO_STEP_SECONDS:-3}"
}
sleep "${QUILL_DEMO_SECONDS:-6}"
shot quillark
click_next         # the server page
shot servers
click_next         # fetch and read the manifest: the file list
shot files
click_next         # the download
shot downloaded
echo "demo: the staged files are in $app/Updates:"
find "$app/Updates" -type f | sed "s|$app/||"
kill "$client" 2>/dev/null || true
