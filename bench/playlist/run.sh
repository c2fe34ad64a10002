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
"$here/../make-bench-clips.sh" "$clips"
scratch="$build/bench-playlist-out"
rm -rf "$scratch" && mkdir -p "$scratch"
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(200 1000)
echo "== Playlist pane: listing, thumbnails, painting, memory"
wine "$build/bench/zevrin_playlist_bench.exe" "$(winepath -w "$clips")" "$(winepath -w "$dist/Harlow")" \
    "$(winepath -w "$scratch")" "${counts[@]}" | tr -d '\r'
rm -rf "$scratch"
