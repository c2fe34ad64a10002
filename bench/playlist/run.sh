#!/usr/bin/env bash
# Benchmark of the playlist pane with the real probe and encode tools: for 200 and 1000 items
# (50 generated clips, repeated), seconds until all are listed and until all thumbnails are in,
# with the longest wait of a posted message meanwhile; the paint of a grid and a list of 10,000
# items; memory per item. Prints figures; it is not a timed test.
# Usage: bench/playlist/run.sh [counts...]   (default 200 1000; ZEVRIN_BUILD_DIR / ZEVRIN_DIST_DIR
# choose the trees; ZEVRIN_BENCH_NO_BUILD=1 measures an existing build)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$here/../../scripts"
source "$scripts/lib.sh"
trap zevrin_cleanup EXIT

[ -n "${ZEVRIN_BENCH_NO_BUILD:-}" ] || zevrin_build
zevrin_display
zevrin_wine_prefix "$build/wine-bench"
clips="$build/bench-playlist-clips"
# 50 short clips of the two kinds the program meets most: phone 3GP and small MP4, 3 to 7 s.
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
scratch="$build/bench-playlist-out"
rm -rf "$scratch" && mkdir -p "$scratch"
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(200 1000)
echo "== Playlist pane: listing, thumbnails, painting, memory"
wine "$build/bench/zevrin_playlist_bench.exe" "$(winepath -w "$clips")" "$(winepath -w "$dist/Harlow")" \
    "$(winepath -w "$scratch")" "${counts[@]}" | tr -d '\r'
rm -rf "$scratch"
