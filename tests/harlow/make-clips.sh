#!/usr/bin/env bash
# Generates the media the tool tests use, with the machine's own ffmpeg (lavfi sources only).
# Usage: make-clips.sh <folder>. Idempotent: a stamp with this script's checksum skips the work.
set -euo pipefail
out="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
stamp="$out/.stamp-$(cat "${BASH_SOURCE[0]}" "$here/make-phone-clips.py" | sha256sum | cut -c1-12)"
[ -f "$stamp" ] && exit 0
rm -rf "$out" && mkdir -p "$out"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }

# A moving test picture and a tone; the picture's left third is bright so screenshots can find it.
video() { echo "testsrc2=size=$1:rate=$2:duration=$3"; }
tone() { echo "sine=frequency=440:sample_rate=$1:duration=$2"; }

ff -f lavfi -i "$(video 176x144 15 6)" -f lavfi -i "$(tone 8000 6)" \
   -c:v h263 -b:v 128k -c:a aac -ac 1 -b:a 24k -ar 8000 "$out/phone.3gp"
ff -f lavfi -i "$(video 320x240 25 8)" -f lavfi -i "$(tone 44100 8)" \
   -c:v libx264 -preset veryfast -g 25 -pix_fmt yuv420p -c:a aac -b:a 96k \
   -metadata title="Clip <one> & \"two\"" -metadata artist="Zoë Ünicode" -metadata date=2008 \
   -metadata album="Test Album" -metadata genre="Test" -metadata comment="a comment" -metadata track="3/12" \
   "$out/h264.mp4"
ff -f lavfi -i "$(video 320x240 25 5)" -f lavfi -i "$(tone 44100 5)" \
   -c:v mpeg4 -q:v 5 -c:a mp2 -b:a 128k "$out/mpeg4.avi"
ff -f lavfi -i "$(video 320x240 25 5)" -f lavfi -i "$(tone 48000 5)" \
   -c:v libvpx -b:v 300k -deadline realtime -c:a libvorbis "$out/vp8.webm"
ff -f lavfi -i "$(video 320x240 25 5)" -f lavfi -i "$(tone 44100 5)" \
   -c:v flv -b:v 300k -c:a adpcm_swf -ar 44100 "$out/clip.flv"
ff -f lavfi -i "$(video 320x240 25 5)" -f lavfi -i "$(tone 44100 5)" \
   -c:v mjpeg -q:v 5 -c:a pcm_s16le "$out/mjpeg.mov"
ff -f lavfi -i "$(tone 44100 4)" -c:a pcm_s16le "$out/tone.wav"
ff -f lavfi -i "$(tone 44100 4)" -c:a libvorbis "$out/tone.ogg"
ff -f lavfi -i "$(tone 8000 7)" -c:a libopencore_amrnb -ar 8000 -ac 1 -b:a 12.2k "$out/voice.amr" 2>/dev/null ||
    ff -f lavfi -i "$(tone 8000 7)" -c:a pcm_s16le -ar 8000 -ac 1 "$out/voice.wav"
ff -f lavfi -i "color=black:size=320x240:rate=25:duration=3" -f lavfi -i "$(video 320x240 25 3)" \
   -filter_complex "[0][1]concat=n=2:v=1:a=0" -c:v libx264 -preset veryfast -g 25 -pix_fmt yuv420p \
   "$out/black-start.mp4"
# 10 s of SD H.264 with audio for playback timing and the benchmark.
ff -f lavfi -i "$(video 640x480 25 10)" -f lavfi -i "$(tone 44100 10)" \
   -c:v libx264 -preset veryfast -g 50 -pix_fmt yuv420p -c:a aac -b:a 128k "$out/sd10.mp4"
# A solid colour picture for the screenshot test: easy to recognise on screen.
ff -f lavfi -i "color=c=0x2050E0:size=320x240:rate=25:duration=4" -f lavfi -i "$(tone 44100 4)" \
   -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac "$out/blue.mp4"
# Still pictures.
ff -f lavfi -i "$(video 320x240 1 1)" -frames:v 1 "$out/picture.jpg"
ff -f lavfi -i "$(video 320x240 1 1)" -frames:v 1 "$out/picture.png"

# Broken and hostile input.
head -c 60000 "$out/mpeg4.avi" >"$out/truncated.avi"
head -c 30000 "$out/h264.mp4" >"$out/truncated.mp4"
printf 'This is not media at all.\n%.0s' $(seq 200) >"$out/notmedia.bin"
: >"$out/empty.mp4"

# A 3GP whose movie and media headers claim ten times the real length, as some phones write.
cp "$out/phone.3gp" "$out/lying.3gp"
python3 - "$out/lying.3gp" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
for box in (b'mvhd', b'mdhd'):
    start = 0
    while (i := data.find(box, start)) >= 0:
        start = i + 4
        if data[i + 4] != 0:
            continue  # version 1 headers are not written by ffmpeg for short clips
        off = i + 4 + 4 + 4 + 4 + 4
        (duration,) = struct.unpack('>I', data[off:off + 4])
        data[off:off + 4] = struct.pack('>I', duration * 10)
open(path, 'wb').write(data)
PY

# --- Real-world phone and camera files --------------------------------------------------------
# What a player sees first to last: the first packet's time to the end of the last, from Debian's
# ffprobe (a packet without a duration lasts as long as its stream's step before it).
content_seconds() {
    ffprobe -v error -show_entries packet=stream_index,pts_time,duration_time -of csv=p=0 "$1" |
        awk -F, '$2 != "N/A" {
            s = $1; t = $2 + 0
            if (s in last && t > last[s]) step[s] = t - last[s]
            last[s] = t
            end = t + ($3 != "N/A" ? $3 : step[s])
            if (!started || t < first) { first = t; started = 1 }
            if (end > stop) stop = end
        } END { printf "%.3f\n", stop - first }'
}
# Raw AMR-NB/WB memos, a QCELP memo and a 3GP with one-second AMR samples, written frame by frame.
python3 "$here/make-phone-clips.py" "$out"
# H.263 + AAC whose video starts 0.128 s after the sound: plays 5.128 s.
ff -f lavfi -i "$(video 176x144 15 5)" -f lavfi -i "$(tone 8000 5)" \
   -c:v h263 -b:v 96k -c:a aac -ac 1 -b:a 16k "$out/late-video-src.3gp"
ff -i "$out/late-video-src.3gp" -itsoffset 0.128 -i "$out/late-video-src.3gp" -map 1:v -map 0:a -c copy \
   "$out/late-video.3gp"
rm "$out/late-video-src.3gp"
# FLV files cut short whose metadata claims 4:48:27 (200 KiB kept) and 47 s (100 KiB kept).
cut_flv() { # name seconds bitrate keep-bytes claim
    ff -f lavfi -i "$(video 320x240 25 "$2")" -f lavfi -i "$(tone 22050 "$2")" \
       -c:v flv -b:v "$3" -c:a adpcm_swf -ar 22050 -ac 1 "$out/$1.full.flv"
    python3 - "$out/$1.full.flv" "$out/$1" "$4" "$5" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
at = data.find(b'duration\x00') + 9  # the AMF number after the name
data[at:at + 8] = struct.pack('>d', float(sys.argv[4]))
open(sys.argv[2], 'wb').write(data[:int(sys.argv[3])])
PY
    rm "$out/$1.full.flv"
    content_seconds "$out/$1" >"$out/$1.seconds"
}
cut_flv cut-long.flv 20 300k $((200 * 1024)) 17307
cut_flv cut-47s.flv 47 100k $((100 * 1024)) 47
# A second of DV as camcorders write it.
ff -f lavfi -i "$(video 720x576 25 1)" -f lavfi -i "$(tone 48000 1)" \
   -c:v dvvideo -pix_fmt yuv420p -c:a pcm_s16le -ac 2 -f dv "$out/camera.dv"
# Cover art the demuxer ranks above the real video (which is flagged for the visually impaired).
ff -f lavfi -i "color=c=red:size=64x64" -frames:v 1 "$out/cover.jpg"
ff -f lavfi -i "$(video 176x144 15 4)" -f lavfi -i "$(tone 8000 4)" \
   -attach "$out/cover.jpg" -metadata:s:t mimetype=image/jpeg -metadata:s:t filename=cover.jpg \
   -c:v mpeg4 -c:a aac -ac 1 -disposition:v:0 visual_impaired "$out/cover-first.mkv"
touch "$stamp"
