#!/usr/bin/env bash
# Benchmark of start-up, timed from outside on the same X display: medians in milliseconds from
# process start to the main window shown, and to the first video frame of a 3GP clip given on the
# command line, for the installed Zevrin.exe (no file; the clip) and, in the same run, for
# Debian's native ffplay -autoexit on the same clip as the anchor. Prints figures; it is not a
# timed test.
# Usage: bench/startup/run.sh [runs]   (default 5; ZEVRIN_BUILD_DIR / ZEVRIN_DIST_DIR choose the
# trees; ZEVRIN_BENCH_NO_BUILD=1 measures an existing build)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$here/../../scripts"
source "$scripts/lib.sh"
source "$scripts/pulse.sh"
trap zevrin_cleanup EXIT
runs="${1:-5}"

[ -n "${ZEVRIN_BENCH_NO_BUILD:-}" ] || zevrin_build
command -v ffplay >/dev/null || { echo "ffplay is needed as the anchor (apt-get install ffmpeg)" >&2; exit 1; }
zevrin_display
zevrin_pulse
zevrin_wine_prefix "$build/wine-bench"
zevrin_set_app_folder
zevrin_keep_offline
export ZEVRIN_DIST="$dist"

out="$build/bench-startup"
mkdir -p "$out"
# The native probe that times the anchor; built for this machine, next to its source's hash.
probe="$out/anchor_probe-$(sha256sum "$here/AnchorProbe.cpp" | cut -c1-12)"
[ -x "$probe" ] || g++ -std=c++20 -O2 -o "$probe" "$here/AnchorProbe.cpp" -lX11
# A 10 s phone clip: 352x288 H.263 at 15 fps with AAC sound, in 3GP.
clip="$out/startup.3gp"
stamp="$out/.stamp-$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-12)"
if [ ! -f "$stamp" ]; then
    ffmpeg -nostdin -hide_banner -loglevel error -y \
        -f lavfi -i "testsrc2=size=352x288:rate=15:duration=10" -f lavfi -i "sine=frequency=440:sample_rate=8000:duration=10" \
        -c:v h263 -b:v 256k -c:a aac -ac 1 -b:a 24k -ar 8000 "$clip"
    touch "$stamp"
fi

echo "== Start-up, median ms from process start ($runs runs each, after one warm-up; screen polled every 10 ms)"
printf '%-34s %8s %8s\n' "" "window" "picture"
wine "$build/bench/startup/zevrin_startup_bench.exe" "$(winepath -w "$clip")" "$runs" | tr -d '\r'
# Both play sound when there is a device, so both open audio before their first frame.
sound=()
[ -n "${PULSE_SERVER:-}" ] || sound=(-an)
title="zevrin-startup-anchor"
"$probe" "ffplay -autoexit <clip.3gp>" "$title" "$runs" -- \
    ffplay -hide_banner -loglevel error -autoexit -window_title "$title" "${sound[@]}" "$clip"
