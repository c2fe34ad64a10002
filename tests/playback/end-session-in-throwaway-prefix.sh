#!/usr/bin/env bash
# The end of a Windows session with the installed Zevrin open, for real, inside a Wine prefix
# made for this test alone: the program plays a clip named on its command line, Always On Top is
# switched on, the session is ended. Afterwards the prefix's registry must hold the changed
# setting and "Default.play" the clip, though the program never reached its normal exit.
# Usage: <probe.exe> (ZEVRIN_DIST names the install tree)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/offline.sh"
probe="$1"
dist="${ZEVRIN_DIST:?the install tree}"
work="$(mktemp -d "${TMPDIR:-/tmp}/zevrin-endsession-XXXXXX")"
prefix="$work/prefix"
launcher=""
cleanup() {
    [ -n "$launcher" ] && kill "$launcher" 2>/dev/null || true
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=176x144:rate=15:duration=20" \
    -c:v h263 -b:v 128k "$work/session.3gp"

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
# No window manager on Xvfb: unmanaged windows never wait for one when they hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w 2>/dev/null || true
# An ordinary server (not a persistent one, which would outlive the session).
wine reg add 'HKCU\Software\Tresk\Zevrin' /v AppFolder /t REG_SZ /d "$(winepath -w "$dist")" /f >/dev/null 2>&1
zevrin_keep_offline

wine "$dist/Zevrin.exe" "$(winepath -w "$work/session.3gp")" >/dev/null 2>&1 &
launcher=$!
wine "$probe" "session - 1/1" >"$work/out.txt" 2>/dev/null || true
for _ in $(seq 300); do kill -0 "$launcher" 2>/dev/null || break; sleep 0.1; done
kill -0 "$launcher" 2>/dev/null && fail "Zevrin was not ended with the session: $(tr -d '\r' <"$work/out.txt")"
launcher=""
grep -q 'accepted 1' "$work/out.txt" || fail "the session end was not accepted: $(tr -d '\r' <"$work/out.txt")"
wineserver -w 2>/dev/null || true

# The registry as the prefix's server saved it when the session ended.
settings=$(awk '/^\[Software\\\\Tresk\\\\Zevrin\\\\Settings\]/{on=1; next} /^\[/{on=0} on' "$prefix/user.reg")
echo "$settings" | grep -qi '"AlwaysOnTop"=dword:00000001' || fail "the settings were not written: $settings"
play=$(find "$prefix/drive_c/users" -path '*Tresk/Zevrin/Default.play' | head -n 1)
[ -n "$play" ] || fail "no Default.play was written"
grep -q 'session.3gp' "$play" || fail "Default.play does not hold the clip: $(cat "$play")"
echo "the session's end saved the settings and the playlist"
