#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine; ends with CTest's summary.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
source "$here/lib.sh"
source "$here/pulse.sh"
trap zevrin_cleanup EXIT

zevrin_build
"$here/package.sh"
zevrin_display
zevrin_pulse
zevrin_wine_prefix "$build/wine-test" fresh
zevrin_set_app_folder
zevrin_keep_offline
export ZEVRIN_DIST="$dist"

status=0
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@" || status=$?
zevrin_check_offline || status=1
exit "$status"
