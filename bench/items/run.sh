#!/usr/bin/env bash
# Benchmark of playlist items: LoadInfo + ResolveArtwork over 50 generated clips with the real
# probe and encode tools, and the part spent starting the tools. Prints figures; it is not a
# timed test. Usage: bench/items/run.sh   (ZEVRIN_BUILD_DIR / ZEVRIN_DIST_DIR choose the trees;
# ZEVRIN_BENCH_NO_BUILD=1 measures an existing build)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$here/../../scripts"
source "$scripts/lib.sh"
trap zevrin_cleanup EXIT

[ -n "${ZEVRIN_BENCH_NO_BUILD:-}" ] || zevrin_build
zevrin_display
zevrin_wine_prefix "$build/wine-bench"
clips="$build/bench-items-clips"
# 50 short clips of two kinds the program meets most: phone 3GP and small MP4, 3 to 7 s long.
stamp="$clips/.stamp-$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-12)"
if [ ! -f "$stamp" ]; then
    rm -rf "$clips" && mkdir -p "$clips"
    for i in $(seq 0 49); do
        d=$((3 + i % 5))
        if [ $((i % 2)) -eq 0 ]; then
            ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=176x144:rate=15:duration=$d" \
                -f lavfi -i "sine=frequency=$((300 + i * 10)):sample_rate=8000:duration=$d" \
                -c:v h263 -b:v 128k -c:a aac -ac 1 -ar 8000 -b:a 24k "$clips/clip$i.3gp"
        else
            ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=320x240:rate=25:duration=$d" \
                -f lavfi -i "sine=frequency=$((300 + i * 10)):sample_rate=44100:duration=$d" \
                -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -b:a 64k "$clips/clip$i.mp4"
        fi
    done
    touch "$stamp"
fi
scratch="$build/bench-items-out"
rm -rf "$scratch" && mkdir -p "$scratch"
echo "== Playlist items: LoadInfo + ResolveArtwork over 50 clips"
wine "$build/bench/zevrin_items_bench.exe" "$(winepath -w "$clips")" "$(winepath -w "$dist/Harlow")" \
    "$(winepath -w "$scratch")" | tr -d '\r'
