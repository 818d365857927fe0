#!/usr/bin/env bash
# The whole check: set-up, every build, host tests, Windows tests under Wine, one summary.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/setup.sh || { echo "test: set-up failed"; exit 1; }

. scripts/xvfb.sh
. scripts/wine-env.sh "$root/build/windows"
cleanup() {
  quill_wine_down
  quill_xvfb_down
}
trap cleanup EXIT

step() {
  echo
  echo "==== $*"
  "$@"
}

for preset in host windows windows-x86; do
  step cmake --preset "$preset" >/dev/null || { echo "test: configure $preset failed"; exit 1; }
  step cmake --build --preset "$preset" || { echo "test: build $preset failed"; exit 1; }
done

results=()
run_suite() {
  local name=$1
  shift
  local log
  log=$(mktemp)
  "$@" 2>&1 | tee "$log"
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  rm -f "$log"
  results+=("$name: ${line:-no summary (ctest did not finish)}")
}

echo
echo "==== host tests"
run_suite "host" ctest --preset host

echo
echo "==== Windows tests (wine64, code page 936)"
if [ -z "${QUILL_USE_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  quill_xvfb_up || exit 1
fi
quill_wine_up
run_suite "windows" ctest --preset windows
quill_wine_down
quill_xvfb_down

echo
echo "==== summary"
passed=0
failed=0
for r in "${results[@]}"; do
  echo "$r"
  if [[ $r =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
