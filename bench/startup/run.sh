#!/usr/bin/env bash
# Benchmark of start-up, timed from outside on the same X display: medians in milliseconds from
# process start to the main window shown, and to the first video frame of a 3GP clip given on the
# command line, for the installed Zevrin.exe (no file; the clip) and, in the same run, for the
# native anchors on the same clip: Debian's ffplay -autoexit and mpv (installed here with apt when
# missing; the program's own set-up never needs it), and for a floor program that only opens and
# paints one window under Wine. Prints figures and Zevrin's ratios; it is not a timed test.
# Usage: bench/startup/run.sh [runs]   (runs a round, default 5; ZEVRIN_BENCH_ROUNDS rounds, default 3;
# ZEVRIN_BUILD_DIR / ZEVRIN_DIST_DIR choose the trees; ZEVRIN_BENCH_NO_BUILD=1 measures an existing build)
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

# Rounds: every case is measured in each round, one after the other, so that a slow spell of the
# machine falls on Zevrin and its anchors alike; the figures are medians over the rounds, and the
# ratios the medians of each round's ratios.
rounds="${ZEVRIN_BENCH_ROUNDS:-3}"
figures="$out/figures.txt"
: > "$figures"
echo "== Start-up, median ms from process start ($rounds rounds of $runs runs each, after one warm-up;" \
     "screen polled every 10 ms; load average: $(cut -d' ' -f1-3 /proc/loadavg))"
# All play sound when there is a device, so all open audio before their first frame.
ffplay_sound=() mpv_sound=(--ao=pulse)
[ -n "${PULSE_SERVER:-}" ] || { ffplay_sound=(-an); mpv_sound=(--no-audio); }
title="zevrin-startup-anchor"
for round in $(seq "$rounds"); do
    {
        wine "$build/bench/startup/zevrin_startup_bench.exe" "$(winepath -w "$clip")" "$runs" | tr -d '\r'
        "$probe" "ffplay -autoexit <clip.3gp>" "$title" "$runs" -- \
            ffplay -hide_banner -loglevel error -autoexit -window_title "$title" "${ffplay_sound[@]}" "$clip"
        "$probe" "mpv --vo=x11 <clip.3gp>" "$title" "$runs" -- \
            mpv --no-config --really-quiet --vo=x11 --title="$title" "${mpv_sound[@]}" "$clip"
    } | sed "s/^/$round|/" >> "$figures"
done
# Each line is "<round>|<label> <window> <picture> (n/m runs)". Zevrin is set against each native
# anchor and against the floor: a program that only opens and paints one window, under the same
# Windows. Zevrin's first picture needs two program starts in series, its own and the tool's.
python3 - "$figures" <<'PY'
import statistics, sys
rows = {}  # label -> {round: (window, picture)}
for line in open(sys.argv[1]):
    round_, rest = line.rstrip("\n").split("|", 1)
    fields = rest.split()
    label = " ".join(fields[:-4])
    value = lambda text: None if text == "-" else float(text)
    rows.setdefault(label, {})[round_] = (value(fields[-4]), value(fields[-3]))
def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None
def figure(v):
    return "-" if v is None else "%.0f" % v
print("%-34s %8s %8s" % ("", "window", "picture"))
for label, by_round in rows.items():
    print("%-34s %8s %8s   (%d rounds)" % (label, figure(median(w for w, _ in by_round.values())),
                                           figure(median(p for _, p in by_round.values())), len(by_round)))
def ratio(label, anchor, index):
    ratios = [rows[label][r][index] / rows[anchor][r][index] for r in rows[label]
              if r in rows.get(anchor, {}) and rows[label][r][index] and rows[anchor][r][index]]
    return "-" if not ratios else "%.2fx" % statistics.median(ratios)
def faster(r):
    pictures = [rows[a][r][1] for a in ("ffplay -autoexit <clip.3gp>", "mpv --vo=x11 <clip.3gp>")
                if r in rows.get(a, {}) and rows[a][r][1]]
    return min(pictures) if pictures else None
zevrin, clip = "Zevrin.exe, no file", "Zevrin.exe <clip.3gp>"
ffplay, mpv, floor = "ffplay -autoexit <clip.3gp>", "mpv --vo=x11 <clip.3gp>", "one window, painted (the floor)"
best = [rows[clip][r][1] / faster(r) for r in rows.get(clip, {}) if rows[clip][r][1] and faster(r)]
print("ratios (median of the rounds): window (no file) %s of ffplay, %s of mpv; first picture %s of ffplay, %s of mpv,"
      " %s of the faster" % (ratio(zevrin, ffplay, 0), ratio(zevrin, mpv, 0), ratio(clip, ffplay, 1),
                             ratio(clip, mpv, 1), "-" if not best else "%.2fx" % statistics.median(best)))
print("floor: window (no file) %s of the floor's window; first picture %s of the floor's picture"
      % (ratio(zevrin, floor, 0), ratio(clip, floor, 1)))
PY
