#!/usr/bin/env bash
# Benchmark of the playlist pane with the real probe and encode tools: for 200 and 1000 items
# (50 generated clips, repeated), seconds until all are listed and until all thumbnails are in,
# with the longest wait of a posted message meanwhile; the paint of a grid and a list of 10,000
# items; memory per item. In the same run, the native anchor: Debian's ffprobe and a one-frame
# ffmpeg over the same files, one after the other, and the ratios against it. Prints figures; it
# is not a timed test.
# Usage: bench/playlist/run.sh [counts...]   (default 200 1000; ZEVRIN_BUILD_DIR / ZEVRIN_DIST_DIR
# choose the trees; ZEVRIN_BENCH_NO_BUILD=1 measures an existing build)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$here/../../scripts"
source "$scripts/lib.sh"
trap zevrin_cleanup EXIT

[ -n "${ZEVRIN_BENCH_NO_BUILD:-}" ] || zevrin_build
command -v ffprobe >/dev/null || { echo "ffprobe is needed as the anchor (apt-get install ffmpeg)" >&2; exit 1; }
zevrin_display
zevrin_wine_prefix "$build/wine-bench"
clips="$build/bench-playlist-clips"
"$here/../make-bench-clips.sh" "$clips"
scratch="$build/bench-playlist-out"
rm -rf "$scratch" && mkdir -p "$scratch"
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(200 1000)

# The anchor over the first 200 items (the clips in the order the bench takes them, repeated):
# seconds for ffprobe on each, and for one frame at 1 s (the thumbnail time) on each.
mapfile -t files < <(find "$clips" -maxdepth 1 -type f ! -name '.*' | LC_ALL=C sort)
anchor_count=200
now() { date +%s.%N; }
start=$(now)
for ((i = 0; i < anchor_count; i++)); do
    ffprobe -v error -show_format -show_streams "${files[i % ${#files[@]}]}" >/dev/null
done
probe_s=$(echo "$(now) - $start" | bc -l)
start=$(now)
for ((i = 0; i < anchor_count; i++)); do
    ffmpeg -nostdin -v error -y -ss 1 -i "${files[i % ${#files[@]}]}" -frames:v 1 "$scratch/anchor.jpg"
done
frame_s=$(echo "$(now) - $start" | bc -l)
rm -f "$scratch/anchor.jpg"

echo "== Playlist pane: listing, thumbnails, painting, memory (load average: $(cut -d' ' -f1-3 /proc/loadavg))"
printf 'native anchor, %d items one after the other: ffprobe %.1f s (%.0f ms an item), one-frame ffmpeg %.1f s (%.0f ms an item)\n' \
    "$anchor_count" "$probe_s" "$(echo "1000 * $probe_s / $anchor_count" | bc -l)" \
    "$frame_s" "$(echo "1000 * $frame_s / $anchor_count" | bc -l)"
wine "$build/bench/zevrin_playlist_bench.exe" "$(winepath -w "$clips")" "$(winepath -w "$dist/Harlow")" \
    "$(winepath -w "$scratch")" "${counts[@]}" | tr -d '\r' | tee "$scratch/figures.txt"
# Ratios: listed against N x ffprobe, all thumbnails against the listing time.
awk -v probe="$probe_s" -v n="$anchor_count" '
    / items: listed after / {
        count = $1; listed = $5; thumbs = $10
        printf "%5d items: listed %.2fx (%d x ffprobe = %.1f s), thumbnails %.2fx the listing time\n",
               count, listed / (probe * count / n), count, probe * count / n, thumbs / listed
    }' "$scratch/figures.txt"
rm -rf "$scratch"
