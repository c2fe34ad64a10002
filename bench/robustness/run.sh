#!/usr/bin/env bash
# Corruption sweep: damaged copies of a clip of every container and codec the file-type table
# names (and Debian's ffmpeg writes) go through the probe, the encode (one frame) and the playback
# tool (two seconds, then stop), each run with a bound. Prints per tool: files tried, clean
# successes, clean failures, hangs and crashes, and names every hang and crash. Then the
# program's own readers take a larger count of mutated playlists, media information and images.
# It prints figures; it is not a timed test.
#
# Usage: bench/robustness/run.sh [copies-per-clip (80: 2,000 damaged files)] [parser mutations per seed file (2000)]
# ZEVRIN_BENCH_NO_BUILD=1 sweeps an existing build; ROBUSTNESS_TOOLS="probe encode" picks tools.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$here/../../scripts"
source "$scripts/lib.sh"
trap zevrin_cleanup EXIT
copies="${1:-80}"
mutations="${2:-2000}"
tools="${ROBUSTNESS_TOOLS:-probe encode play}"

[ -n "${ZEVRIN_BENCH_NO_BUILD:-}" ] || zevrin_build
zevrin_display
zevrin_wine_prefix "$build/wine-robustness"
clips="$build/robustness-clips"
damaged="$build/robustness-damaged"
out="$build/robustness-out"
bash "$here/make-clips.sh" "$clips"
rm -rf "$damaged" "$out" && mkdir -p "$damaged" "$out"
made=$(python3 "$here/damage.py" "$clips" "$damaged" "$copies" 22)
echo "== $made damaged files from $(find "$clips" -type f ! -name '.*' | wc -l) clips (seed 22, $copies copies each)"
win() { winepath -w "$1"; }
host="$build/bench/robustness_sweep_host.exe"

# The probe and the encode tool take turns in one host; the playback tool, which mostly waits
# on the clock, runs beside them in another.
pids=()
for tool in $tools; do
    mkdir -p "$out/$tool"
    case $tool in
        play) wine "$host" "$(win "$dist/Harlow")" play "$(win "$damaged")" "$(win "$out/$tool")" \
                  2>/dev/null | tr -d '\r' >"$out/$tool.txt" & pids+=($!) ;;
        *) ;;
    esac
done
for tool in $tools; do
    [ "$tool" = play ] && continue
    wine "$host" "$(win "$dist/Harlow")" "$tool" "$(win "$damaged")" "$(win "$out/$tool")" \
        2>/dev/null | tr -d '\r' >"$out/$tool.txt"
done
for pid in "${pids[@]}"; do wait "$pid"; done

echo "== Per tool (bound: probe and encode 25 s, playback 12 s with a stop after 2 s)"
printf '%-8s %7s %7s %7s %7s %7s\n' tool tried ok failed hangs crashes
total=0
for tool in $tools; do
    awk -v t="$tool" '{ n++; c[$2]++ } END {
        printf "%-8s %7d %7d %7d %7d %7d\n", t, n, c["ok"], c["fail"] + c["nostart"], c["hang"], c["crash"] }' "$out/$tool.txt"
    total=$((total + $(wc -l <"$out/$tool.txt")))
done
echo "all tools: $total runs"
for tool in $tools; do
    awk '$2 == "hang" || $2 == "crash" || $2 == "nostart" { printf "  %s %s (exit %s after %s ms): %s\n", $1, $2, $3, $4, $5 }' \
        "$out/$tool.txt"
done
echo "(per-file lines: $out/<tool>.txt)"

echo "== The program's readers under mutation ($mutations per seed file)"
bash "$root/tests/unit/make_test_data.sh" "$build/tests/unit/data" >/dev/null 2>&1
ZEVRIN_TEST_DATA="$build/tests/unit/data" ZEVRIN_MUTATIONS="$mutations" \
    wine "$build/tests/robustness/zevrin_robustness_tests.exe" --gtest_filter="ParserMutation.*" 2>&1 |
    tr -d '\r' | grep -E 'inputs|PASSED|FAILED|tested' || true
