#!/usr/bin/env bash
# Benchmark of the media tools against Debian's native FFmpeg programs, on the clips the tests use.
# Prints figures; it is not a timed test. Usage: bench/tools/run.sh [runs-per-file]
# Builds as test.sh does (ZEVRIN_BUILD_DIR / ZEVRIN_DIST_DIR choose the trees).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$here/../../scripts"
source "$scripts/lib.sh"
source "$scripts/pulse.sh"
trap zevrin_cleanup EXIT
runs="${1:-5}"

[ -n "${ZEVRIN_BENCH_NO_BUILD:-}" ] || zevrin_build # set it to measure an existing build
zevrin_display
zevrin_pulse
zevrin_wine_prefix "$build/wine-bench"
clips="$build/harlow-clips"
bash "$root/tests/harlow/make-clips.sh" "$clips"
out="$build/bench-out"
rm -rf "$out" && mkdir -p "$out"
win() { winepath -w "$1"; }
ms_now() { date +%s%N | cut -b1-13; }

# Median of the numbers on stdin.
median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

# time_ms <command...>: wall milliseconds of one run (output discarded)
time_ms() { local s; s=$(ms_now); "$@" >/dev/null 2>&1 || true; echo $(( $(ms_now) - s )); }

files=(phone.3gp h264.mp4 mpeg4.avi vp8.webm clip.flv mjpeg.mov tone.wav tone.ogg sd10.mp4)
echo "== Probe: median ms per file over ${#files[@]} files x $runs runs"
q=(); p=()
for f in "${files[@]}"; do
    for _ in $(seq "$runs"); do
        q+=("$(time_ms wine "$dist/Harlow/Quorrin.exe" "$(win "$clips/$f")" -o "$(win "$out/q.xml")")")
        p+=("$(time_ms ffprobe -v error -of xml -show_format -show_streams "$clips/$f")")
    done
done
printf 'Quorrin (under Wine)  %s ms\n' "$(printf '%s\n' "${q[@]}" | median)"
printf 'ffprobe (native)      %s ms\n' "$(printf '%s\n' "${p[@]}" | median)"

video=(phone.3gp h264.mp4 mpeg4.avi vp8.webm clip.flv mjpeg.mov sd10.mp4 black-start.mp4)
echo "== One frame at 2 s: median ms per file over ${#video[@]} files x $runs runs"
b=(); n=()
for f in "${video[@]}"; do
    for _ in $(seq "$runs"); do
        b+=("$(time_ms wine "$dist/Harlow/Brannet.exe" -i "$(win "$clips/$f")" -ss 0:00:02.000 -f image2 -vframes 1 -y "$(win "$out/b.jpg")")")
        n+=("$(time_ms ffmpeg -nostdin -v error -ss 2 -i "$clips/$f" -frames:v 1 -y "$out/n.jpg")")
    done
done
printf 'Brannet (under Wine)  %s ms\n' "$(printf '%s\n' "${b[@]}" | median)"
printf 'ffmpeg (native)       %s ms\n' "$(printf '%s\n' "${n[@]}" | median)"

echo "== Playing sd10.mp4 (10 s, 640x480 H.264 + AAC) into a 640x480 window"
host="$build/bench/harlow_bench_host.exe"
# Wine's GetProcessTimes (and time(1) on the host) do not see the tool's CPU time: the tool is not
# a waited-for child. Sample its /proc entry while it runs instead (the last 0.1 s is missed).
wine "$host" "$(win "$dist/Harlow/Vistrel.exe")" "$(win "$clips/sd10.mp4")" | tr -d '\r' &
host_pid=$!
ticks=0
while kill -0 "$host_pid" 2>/dev/null; do
    tool=$(pgrep -n -f 'Harlow.Vistrel\.exe' || true)
    if [ -n "$tool" ] && t=$(awk '{ print $14 + $15 }' "/proc/$tool/stat" 2>/dev/null); then ticks=$t; fi
    sleep 0.1
done
wait "$host_pid" || true
echo "Vistrel cpu_seconds=$(awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f", t / hz }')"
user_sys=$( { /usr/bin/time -f '%U %S' ffmpeg -nostdin -v error -i "$clips/sd10.mp4" -f null - ; } 2>&1 | tail -1)
echo "ffmpeg -f null (native) cpu_seconds=$(echo "$user_sys" | awk '{ printf "%.2f", $1 + $2 }')"
# The guard on playback CPU: mpv (installed by bench/startup/run.sh) playing the same clip into
# a window of the same size, with sound when there is a sound server, as Vistrel does.
if command -v mpv >/dev/null; then
    sound=(--ao=pulse)
    [ -n "${PULSE_SERVER:-}" ] || sound=(--no-audio)
    user_sys=$( { /usr/bin/time -f '%U %S' mpv --no-config --really-quiet --vo=x11 --geometry=640x480 "${sound[@]}" \
        "$clips/sd10.mp4" >/dev/null; } 2>&1 | tail -1)
    echo "mpv --vo=x11 (native) cpu_seconds=$(echo "$user_sys" | awk '{ printf "%.2f", $1 + $2 }')"
else
    echo "mpv --vo=x11 (native) not installed: bench/startup/run.sh installs it"
fi
