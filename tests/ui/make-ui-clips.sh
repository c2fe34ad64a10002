#!/usr/bin/env bash
# The clip the GUI tests play, made with the machine's own ffmpeg from a moving test picture:
# 352x288 H.263 in 3GP, 30 s; and a picture of odd width and height (175x143 Motion JPEG in AVI),
# which cannot be shown at 50%; and three 2-second clips (one, two, three.3gp) for a playlist that
# plays through. Usage: make-ui-clips.sh <folder>.
set -euo pipefail
out="$1"
stamp="$out/.stamp-$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
rm -rf "$out" && mkdir -p "$out"
ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=352x288:rate=15:duration=30" -f lavfi -i "sine=frequency=440:sample_rate=8000:duration=30" \
    -c:v h263 -b:v 256k -c:a aac -ac 1 -b:a 24k -ar 8000 "$out/harbour.3gp"
ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=176x144:rate=15:duration=20" -vf "format=yuv444p,scale=175:143" \
    -c:v mjpeg -q:v 12 -pix_fmt yuvj444p "$out/odd.avi"
for name in one two three; do
    ffmpeg -nostdin -hide_banner -loglevel error -y \
        -f lavfi -i "testsrc2=size=176x144:rate=15:duration=2" -f lavfi -i "sine=frequency=440:sample_rate=8000:duration=2" \
        -c:v h263 -b:v 128k -c:a aac -ac 1 -b:a 24k -ar 8000 "$out/$name.3gp"
done
touch "$stamp"
