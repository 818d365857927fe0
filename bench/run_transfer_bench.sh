#!/usr/bin/env bash
# Transfer benchmark on loopback: the client's parse (with size probes) plus download pass
# against curl fetching the same URLs in one process with keep-alive, for a release of 300
# files of 64 KiB and for one file of 512 MiB; and the client's peak working set.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target transfer_bench >/dev/null

work="$root/build/bench-transfer"
rm -rf "$work"
mkdir -p "$work/served/r300" "$work/served/r512"
python3 - "$work/served" <<'PY'
import os, sys
served = sys.argv[1]
def manifest(folder, names):
    lines = ["[Version]", "VersionCount=1", "Version0=1.1", "[1.1]", "FileCount=%d" % len(names)]
    lines += ["FileName%d=%s" % (i, n) for i, n in enumerate(names)]
    open(os.path.join(folder, "updates.ini"), "w").write("\r\n".join(lines) + "\r\n")
names = ["f%03d.bin" % i for i in range(300)]
for n in names:
    open(os.path.join(served, "r300", n), "wb").write(os.urandom(64 * 1024))
manifest(os.path.join(served, "r300"), names)
with open(os.path.join(served, "r512", "big.bin"), "wb") as f:
    block = os.urandom(1 << 20)
    for _ in range(512):
        f.write(block)
manifest(os.path.join(served, "r512"), ["big.bin"])
PY

python3 tools/http_test_server.py --root "$work/served" --port-file "$work/port" --detach-stdio &
server=$!
. scripts/xvfb.sh
. scripts/wine-env.sh "$root/build/windows"
cleanup() {
  kill "$server" 2>/dev/null || true
  quill_wine_down
  quill_xvfb_down
}
trap cleanup EXIT
for _ in $(seq 1 100); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")
quill_xvfb_up
quill_wine_up

now() { date +%s.%N; }
curl_release() {  # the same requests as the client: manifest, a HEAD per file, a GET per file
  local url=$1 config="$work/curl.cfg"
  : >"$config"
  printf 'url = "%s/updates.ini"\noutput = "/dev/null"\n' "$url" >>"$config"
  for name in "${@:2}"; do
    printf 'next\nhead\nurl = "%s//%s"\noutput = "/dev/null"\n' "$url" "$name" >>"$config"
  done
  for name in "${@:2}"; do
    printf 'next\nurl = "%s//%s"\noutput = "/dev/null"\n' "$url" "$name" >>"$config"
  done
  local start end
  start=$(now)
  curl -s -f -K "$config"
  end=$(now)
  echo "$end - $start" | bc -l
}

echo "release                  client total s   curl s   ratio   client peak working set"
for release in r300 r512; do
  staging="$work/staging-$release"
  mkdir -p "$staging"
  names=$(cd "$work/served/$release" && ls | grep -v '^updates.ini$')
  # shellcheck disable=SC2086
  curl_s=$(curl_release "http://127.0.0.1:$port/$release" $names)
  line=$("$WINELOADER" build/windows/bench/transfer/transfer_bench.exe "http://127.0.0.1:$port/$release" \
           "$("$WINELOADER" winepath -w "$staging" 2>/dev/null)" | tr -d '\r')
  total=$(sed -n 's/.*total_s=\([0-9.]*\).*/\1/p' <<<"$line")
  peak=$(sed -n 's/.*peak_working_set_mib=\([0-9.]*\).*/\1/p' <<<"$line")
  printf '%-24s %14s %8.3f %7.2f   %s MiB\n' "$release" "$total" "$curl_s" "$(echo "$total / $curl_s" | bc -l)" "$peak"
  echo "  client: $line"
done
