# Sourced by test.sh after lib.sh: a private PulseAudio daemon with a null sink, so that Wine has
# an audio device that plays in real time (the playback tool's clock follows it). Without a
# daemon waveOutOpen fails and the tool falls back to the system clock.

zevrin_pulse() { # starts the daemon, exports PULSE_SERVER, records its pid for zevrin_cleanup
    command -v pulseaudio >/dev/null || return 0
    local dir="$build/pulse"
    rm -rf "$dir" && mkdir -p "$dir"
    cat >"$dir/default.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/native
load-module module-null-sink sink_name=zevrin_null
set-default-sink zevrin_null
PA
    XDG_RUNTIME_DIR="$dir" HOME="$dir" pulseaudio -n -F "$dir/default.pa" --exit-idle-time=-1 \
        --daemonize=no --disallow-exit --log-target=file:"$dir/pulse.log" >/dev/null 2>&1 &
    started_pids+=($!)
    export PULSE_SERVER="unix:$dir/native"
    for _ in $(seq 50); do
        [ -S "$dir/native" ] && return 0
        sleep 0.1
    done
    echo "pulse: the daemon did not start; playback tests run without an audio device" >&2
}
