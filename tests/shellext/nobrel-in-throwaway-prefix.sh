#!/usr/bin/env bash
# Runs Nobrel's tests in a Wine prefix made for them alone: they register COM classes
# machine-wide, which must never happen in the prefix the other tests share. The prefix lives in
# the build tree and is removed afterwards. The library under test is the install tree's
# (ZEVRIN_DIST, set by scripts/test.sh); a phone clip for the last case is made here with the
# machine's own ffmpeg.
# Usage: nobrel-in-throwaway-prefix.sh <nobrel_tests.exe> <stand-in.exe> <work folder> [gtest args]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/offline.sh"
tests="$(realpath "$1")" stand_in="$(realpath "$2")" work="$(realpath -m "$3")"
shift 3
dist="${ZEVRIN_DIST:+$(realpath -m "$ZEVRIN_DIST")}"
[ -n "$dist" ] && [ -f "$dist/Nobrel.dll" ] || { echo "FAIL: no Nobrel.dll in the install tree ZEVRIN_DIST='$dist'" >&2; exit 1; }

prefix="$work/prefix"
cleanup() {
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
rm -rf "$work" && mkdir -p "$work/files"

clip="$work/files/nobrel clip.3gp"
ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=352x288:rate=15:duration=20" \
    -c:v h263 -b:v 256k -an "$clip"

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
# No window manager on Xvfb: unmanaged windows never wait for one when they hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p
wine cmd /c exit >/dev/null 2>&1

NOBREL_DLL="$(winepath -w "$dist/Nobrel.dll")" \
NOBREL_DIST="$(winepath -w "$dist")" \
NOBREL_STANDIN="$(winepath -w "$stand_in")" \
NOBREL_WORK="$(winepath -w "$work/files")" \
NOBREL_CLIP="$(winepath -w "$clip")" \
    wine "$tests" "$@" 2>&1 | tr -d '\r'
status="${PIPESTATUS[0]}"
zevrin_check_offline || status=1
exit "$status"
