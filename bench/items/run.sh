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
"$here/../make-bench-clips.sh" "$clips"
scratch="$build/bench-items-out"
rm -rf "$scratch" && mkdir -p "$scratch"
echo "== Playlist items: LoadInfo + ResolveArtwork over 50 clips"
wine "$build/bench/zevrin_items_bench.exe" "$(winepath -w "$clips")" "$(winepath -w "$dist/Harlow")" \
    "$(winepath -w "$scratch")" | tr -d '\r'
