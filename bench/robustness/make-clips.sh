#!/usr/bin/env bash
# The sweep's sound clips: one short clip per container and codec of the default file-type table
# that Debian's ffmpeg can write (3 s, small pictures, so that many damaged copies stay cheap).
# AMR has no encoder here: its voice memo is written byte by byte by the tool tests' generator.
# Usage: make-clips.sh <folder>. A stamp with this script's checksum skips the work.
set -euo pipefail
out="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
phone="$here/../../tests/harlow/make-phone-clips.py"
stamp="$out/.stamp-$(cat "${BASH_SOURCE[0]}" "$phone" | sha256sum | cut -c1-12)"
[ -f "$stamp" ] && exit 0
rm -rf "$out" && mkdir -p "$out"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
v() { echo "testsrc2=size=${1:-176x144}:rate=15:duration=3"; }
a() { echo "sine=frequency=440:sample_rate=${1:-44100}:duration=3"; }

# name            video                                      audio
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v flv -b:v 200k -c:a libmp3lame -ar 44100 "$out/flv-flv1-mp3.flv"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac "$out/mp4-h264-aac.mp4"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v mpeg4 -c:a aac "$out/mp4-mpeg4-aac.mp4"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v msmpeg4v3 -c:a wmav2 "$out/asf-msmpeg4-wma.asf"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a 8000)" -c:v h263 -c:a aac -ac 1 -ar 8000 "$out/3gp-h263-aac.3gp"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a 8000)" -c:v mpeg4 -c:a aac -ac 1 -ar 8000 "$out/3g2-mpeg4-aac.3g2"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v mpeg4 -c:a mp2 "$out/avi-mpeg4-mp2.avi"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v mjpeg -c:a pcm_s16le "$out/avi-mjpeg-pcm.avi"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v mpeg1video -r 25 -c:a mp2 -f mpeg "$out/mpg-mpeg1-mp2.mpg"
ff -f lavfi -i "$(v 352x288)" -f lavfi -i "$(a 48000)" -c:v mpeg2video -c:a ac3 -r 25 -f vob "$out/vob-mpeg2-ac3.vob"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a 48000)" -c:v libvpx -b:v 200k -deadline realtime -c:a libvorbis "$out/webm-vp8-vorbis.webm"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v wmv2 -c:a wmav2 "$out/wmv-wmv2-wma.wmv"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v mjpeg -c:a pcm_s16le "$out/mov-mjpeg-pcm.mov"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac "$out/mov-h264-aac.mov"
ff -f lavfi -i "$(v)" -f lavfi -i "$(a)" -c:v flv -c:a libmp3lame -ar 44100 "$out/swf-flv1-mp3.swf"
ff -f lavfi -i "$(a)" -c:a libmp3lame -b:a 64k "$out/mp3-mp3.mp3"
ff -f lavfi -i "$(a)" -c:a mp2 -f mp2 "$out/mp2-mp2.mp2"
ff -f lavfi -i "$(a)" -c:a pcm_s16le "$out/wav-pcm.wav"
ff -f lavfi -i "$(a)" -c:a adpcm_ms "$out/wav-adpcm.wav"
ff -f lavfi -i "$(a)" -c:a aac -f adts "$out/aac-adts.aac"
ff -f lavfi -i "$(a 48000)" -c:a ac3 "$out/ac3-ac3.ac3"
ff -f lavfi -i "$(a 8000)" -c:a adpcm_yamaha -ac 1 -ar 8000 "$out/mmf-yamaha.mmf"
ff -f lavfi -i "$(a)" -c:a libvorbis "$out/ogg-vorbis.ogg"
ff -f lavfi -i "$(a)" -c:a wmav2 "$out/wma-wmav2.wma"
phone_out="$(mktemp -d)"
python3 "$phone" "$phone_out" >/dev/null
cp "$phone_out/memo-5s.amr" "$out/amr-nb.amr"
rm -rf "$phone_out"
touch "$stamp"
