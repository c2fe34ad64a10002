#!/usr/bin/env bash
# The forced power-off, for real, inside a Wine prefix made for this test alone: the probe must
# be ended, and with it that prefix's wine server; the prefix the other tests use must not be
# touched. Under Wine a shutdown never reaches the host. Usage: <probe.exe>
set -euo pipefail
probe="$1"
outer_prefix="${WINEPREFIX:-}"
work="$(mktemp -d "${TMPDIR:-/tmp}/zevrin-shutdown-XXXXXX")"
prefix="$work/prefix"
cleanup() {
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Wine keeps a prefix's server in a folder named server-<device>-<inode> of the prefix (under a
# temporary folder whose name varies), and the server works in that folder: a prefix's server
# is the wineserver process whose cwd ends so.
server_of() {
    [ -d "$1" ] || return 0
    local name pid
    name=$(printf 'server-%x-%x' "$(stat -c %d "$1")" "$(stat -c %i "$1")")
    for pid in $(pgrep wineserver || true); do
        case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$name") echo "$pid" ;; esac
    done
    return 0
}

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
wineboot -i >/dev/null 2>&1 || true
# No window manager on Xvfb: unmanaged windows never wait for one when they hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w 2>/dev/null || true
outer_server=""
[ -n "$outer_prefix" ] && outer_server=$(server_of "$outer_prefix")

# An ordinary server (not a persistent one, which would outlive any session): the probe's start
# brings it up, and while the probe waits it stays.
wine "$probe" >"$work/out.txt" 2>/dev/null &
launcher=$!
server=""
for _ in $(seq 200); do
    server=$(server_of "$prefix")
    [ -n "$server" ] && break
    sleep 0.05
done
[ -n "$server" ] || fail "the throwaway prefix's server did not start"
for _ in $(seq 600); do kill -0 "$launcher" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$launcher" 2>/dev/null; then
    kill "$launcher" 2>/dev/null || true
    fail "the probe was not ended by the shutdown: $(tr -d '\r' <"$work/out.txt")"
fi
wait "$launcher" || true
grep -q 'accepted 1' "$work/out.txt" || fail "the shutdown was not accepted: $(tr -d '\r' <"$work/out.txt")"
grep -q 'still running' "$work/out.txt" && fail "the probe outlived the shutdown"

for _ in $(seq 300); do kill -0 "$server" 2>/dev/null || break; sleep 0.1; done
kill -0 "$server" 2>/dev/null && fail "the throwaway prefix's server $server is still running"
for pid in $(pgrep -f 'zevrin_shutdown_probe' || true); do
    grep -q 'shutdown-in-throwaway-prefix' "/proc/$pid/cmdline" 2>/dev/null && continue  # this script
    [ -e "/proc/$pid" ] && fail "a probe process is left: $pid"
done
if [ -n "$outer_server" ]; then
    kill -0 "$outer_server" 2>/dev/null || fail "the tests' own prefix lost its server"
fi
echo "shutdown ended the throwaway prefix only"
