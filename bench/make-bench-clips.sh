#!/usr/bin/env bash
# The 50 short clips the item and playlist benchmarks load: the two kinds the program meets
# most, phone 3GP and small MP4, 3 to 7 s long. Usage: make-bench-clips.sh <folder>.
# A stamp with this script's checksum skips the work when the clips are there.
set -euo pipefail
clips="$1"
stamp="$clips/.stamp-$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
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
