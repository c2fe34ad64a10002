#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine; ends with CTest's summary and
# a line with the run's time and its parts. Arguments go to ctest (e.g. -R Settings).
#
# Everything the tests need is set up here, so a skipped test means a broken set-up hiding real
# coverage: the command fails when any test was skipped.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
started=$SECONDS
times="$(mktemp)"
ZEVRIN_TIMES="$times" "$here/setup.sh"
source "$here/lib.sh"
source "$here/pulse.sh"
trap 'zevrin_cleanup; rm -f "$times"' EXIT
mark=$SECONDS

zevrin_build
"$here/package.sh"
build_time=$((SECONDS - mark)) && mark=$SECONDS
zevrin_display
zevrin_pulse
zevrin_wine_prefix "$build/wine-test" fresh
zevrin_unmanaged_windows
zevrin_set_app_folder
zevrin_keep_offline
export ZEVRIN_DIST="$dist"
prefix_time=$((SECONDS - mark)) && mark=$SECONDS

# Two at a time: the runs that show windows hold the "desktop" resource, so only runs that share
# no state overlap.
log="$build/Testing/test-command.log"
mkdir -p "$(dirname "$log")"
status=0
ctest --test-dir "$build" --output-on-failure --timeout 300 -j2 "$@" 2>&1 | tee "$log" || status=$?
test_time=$((SECONDS - mark))

zevrin_no_skips "$log" || status=1
zevrin_check_offline || status=1
# shellcheck disable=SC1090
source "$times"
echo "test.sh: $((SECONDS - started)) s in all: packages ${packages_time:-?} s, libraries ${libraries_time:-?} s," \
     "build $build_time s, Wine prefix $prefix_time s, tests $test_time s"
exit "$status"
