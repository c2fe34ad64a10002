#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zevrin.exe with the media files, folders or URLs
# given. Without a display it runs on a private Xvfb, saves a screenshot of the window, prints its
# path and closes the program with Escape.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
source "$here/lib.sh"
trap zevrin_cleanup EXIT

zevrin_build
"$here/package.sh"
zevrin_display
zevrin_wine_prefix "$build/wine-run"
zevrin_set_app_folder
zevrin_keep_offline

args=()
for a in "$@"; do
    if [[ "$a" =~ ^[a-zA-Z][a-zA-Z0-9+.-]*:// ]] || [[ "$a" == [-/]* && ! -e "$a" ]]; then
        args+=("$a")
    else
        args+=("$(winepath -w "$(readlink -f "$a")")")
    fi
done

wine "$dist/Zevrin.exe" "${args[@]}" &
app=$!
if [ -z "${ZEVRIN_OWN_DISPLAY:-}" ]; then
    wait "$app"
    exit 0
fi

window=""
for _ in $(seq 300); do
    window="$(xdotool search --name '^(.* - )?Zevrin$|^Zevrin' 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "run: the Zevrin window did not appear" >&2; kill "$app"; exit 1; }
sleep 2
shot="$build/screenshot.png"
import -window root "$shot"
echo "run: the window \"$(xdotool getwindowname "$window")\" is showing; screenshot: $shot"
xdotool windowfocus --sync "$window" key Escape 2>/dev/null || true
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && { echo "run: Zevrin did not exit on Escape" >&2; kill "$app"; exit 1; }
wait "$app" || true
