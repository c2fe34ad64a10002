#!/usr/bin/env bash
# Benchmark of start-up, timed from outside on the same X display: medians in milliseconds from
# process start to the main window shown, and to the first video frame of a 3GP clip given on the
# command line, for the installed Zevrin.exe (no file; the clip) and, in the same run, for the
# native anchors on the same clip: Debian's ffplay -autoexit and mpv (installed here with apt when
# missing; the program's own set-up never needs it). Prints figures and Zevrin's ratios to both
# anchors; it is not a timed test.
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
if ! command -v mpv >/dev/null; then
    echo "installing mpv, the second anchor" >&2
    apt-get install -y --no-install-recommends mpv >/dev/null ||
        { echo "mpv is needed as the anchor (apt-get install mpv)" >&2; exit 1; }
fi
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

figures="$out/figures.txt"
echo "== Start-up, median ms from process start ($runs runs each, after one warm-up; screen polled every 10 ms;" \
     "load average: $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-34s %8s %8s\n' "" "window" "picture"
wine "$build/bench/startup/zevrin_startup_bench.exe" "$(winepath -w "$clip")" "$runs" | tr -d '\r' | tee "$figures"
# All play sound when there is a device, so all open audio before their first frame.
ffplay_sound=() mpv_sound=(--ao=pulse)
[ -n "${PULSE_SERVER:-}" ] || { ffplay_sound=(-an); mpv_sound=(--no-audio); }
title="zevrin-startup-anchor"
"$probe" "ffplay -autoexit <clip.3gp>" "$title" "$runs" -- \
    ffplay -hide_banner -loglevel error -autoexit -window_title "$title" "${ffplay_sound[@]}" "$clip" | tee -a "$figures"
"$probe" "mpv --vo=x11 <clip.3gp>" "$title" "$runs" -- \
    mpv --no-config --really-quiet --vo=x11 --title="$title" "${mpv_sound[@]}" "$clip" | tee -a "$figures"
# Each line ends "<window> <picture> (n/m runs)"; the ratios set Zevrin against each anchor, and
# against the floor: a program that only opens and paints one window, under the same Windows.
# Zevrin's first picture needs two program starts in series, its own and the playback tool's.
awk '
    { window[$1 $2] = $(NF - 3); picture[$1 $2] = $(NF - 2) }
    function ratio(a, b) { return (a == "-" || b == "-" || b == 0) ? "-" : sprintf("%.2fx", a / b) }
    END {
        z0 = "Zevrin.exe,no"; z1 = "Zevrin.exe<clip.3gp>"; ff = "ffplay-autoexit"; mp = "mpv--vo=x11"; fl = "onewindow,"
        best = (picture[mp] != "-" && (picture[ff] == "-" || picture[mp] < picture[ff])) ? picture[mp] : picture[ff]
        printf "ratios: window (no file) %s of ffplay, %s of mpv; first picture %s of ffplay, %s of mpv, %s of the faster\n",
               ratio(window[z0], window[ff]), ratio(window[z0], window[mp]),
               ratio(picture[z1], picture[ff]), ratio(picture[z1], picture[mp]), ratio(picture[z1], best)
        printf "floor: window (no file) %s of the floor'"'"'s window; first picture %s of the floor'"'"'s picture\n",
               ratio(window[z0], window[fl]), ratio(picture[z1], picture[fl])
    }' "$figures"
