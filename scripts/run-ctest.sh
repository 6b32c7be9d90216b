#!/bin/bash
# Runs ctest inside an X display with warm wineservers. Wine's services and each virtual desktop
# are started here with no pipe to ctest: otherwise the desktop that a test's first window starts
# inherits ctest's output pipe and every test waits for it to exit.
#
# ctest's tests are batches, a few tests of one suite in one Wine process (cmake/TestBatches.cmake).
# Batches of tests that share a desktop (quovel_add_gtest SERIAL) run on private desktops, one batch
# at a time each: every desktop is its own Xvfb display and its own Wine prefix copied from the template,
# handed out by ctest as the resource "desktops" (scripts/wine-test puts the batch there). The other
# batches run side by side on the display this script was started in, on the build's own prefix.
# DESKTOPS sets how many private desktops there are, and ctest runs that many batches at once
# (default: three for every two cores, at most 16: a good part of the batches wait on the
# programs' own timers, not on a core; each prefix takes some 25 MB of disk: Wine's libraries are
# links to the template's). A -j of the caller's counts over it.
set -u
source "$(dirname "$0")/env.sh"
desktops=${DESKTOPS:-$(( $(nproc) * 3 / 2 < 16 ? $(nproc) * 3 / 2 : 16 ))}
export QUOVEL_DESKTOPS=$BUILD_DIR/desktops
xvfb_pids=()

# Private desktop $1: its prefix, display and desktop; writes the environment scripts/wine-test reads.
start_private_desktop() {
  local d=$QUOVEL_DESKTOPS/$1
  copy_template_prefix "$d/wineprefix"
  rm -f "$d/env"
  (
    export WINEPREFIX=$d/wineprefix HOME=$d/wineprefix.home
    export DISPLAY=:$(cat "$d/display")
    # A desktop that did not come up is not handed out.
    start_wine_desktop || exit 0
    printf 'export DISPLAY=%q WINEPREFIX=%q HOME=%q\n' "$DISPLAY" "$WINEPREFIX" "$HOME" >"$d/env"
  )
}

stop_all() {
  local d
  for d in "$QUOVEL_DESKTOPS"/*/; do
    [ -f "$d/env" ] && (source "$d/env" && "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w)
  done
  "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w
  [ ${#xvfb_pids[@]} -gt 0 ] && kill "${xvfb_pids[@]}" 2>/dev/null
}
trap stop_all EXIT

mkdir -p "$QUOVEL_DESKTOPS"
start_wine_desktop &
starting=($!)
# Each Xvfb picks a free display and writes its number when it is ready.
for i in $(seq 0 $((desktops - 1))); do
  mkdir -p "$QUOVEL_DESKTOPS/$i"
  : >"$QUOVEL_DESKTOPS/$i/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$QUOVEL_DESKTOPS/$i/display" </dev/null >/dev/null 2>&1 &
  xvfb_pids+=($!)
done
for i in $(seq 0 $((desktops - 1))); do
  for _ in $(seq 1 100); do [ -s "$QUOVEL_DESKTOPS/$i/display" ] && break; sleep 0.05; done
  start_private_desktop "$i" &
  starting+=($!)
done
wait "${starting[@]}"

resources=$QUOVEL_DESKTOPS/resources.json
{
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktops": ['
  sep=
  for i in $(seq 0 $((desktops - 1))); do
    [ -f "$QUOVEL_DESKTOPS/$i/env" ] || continue
    printf '%s{"id": "%s", "slots": 1}' "$sep" "$i"
    sep=', '
  done
  printf ']}]}\n'
} >"$resources"

log=$BUILD_DIR/Testing/ctest-output.log
mkdir -p "$(dirname "$log")"
# Long batches start first, so that the run takes as long as its longest batch and not as the
# list's order makes it: each batch's COST is its tests' times (tests/test-times.txt).
# No test is run twice, but for the one start failure of Wine that scripts/wine-test knows;
# the tests it ran again are listed after the run.
export QUOVEL_RERUNS=$BUILD_DIR/Testing/reruns.txt
: >"$QUOVEL_RERUNS"
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 300 --resource-spec-file "$resources" -O "$log" -j"$desktops" "$@"; rc=$?
# The ten slowest, so that the next slow test is seen.
echo "Slowest tests:"
sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .* \([0-9.]*\) sec$/\2 \1/p' "$log" | sort -rn | head -10 |
  awk '{ printf "  %7.2f s  %s\n", $1, $2 }'
if [ -s "$QUOVEL_RERUNS" ]; then
  echo "Reruns ($(wc -l <"$QUOVEL_RERUNS")):"
  sed 's/^/  /' "$QUOVEL_RERUNS"
else
  echo "Reruns: none"
fi
exit $rc
