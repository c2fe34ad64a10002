#!/usr/bin/env bash
# Installs what the build and the tests need, then builds the third-party libraries.
# Idempotent: packages already present are not touched, and the dependency cache is
# rebuilt only when a version or the build recipe changes.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
started=$SECONDS

packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
    wine wine64 xvfb xdotool x11-utils imagemagick
    cmake make nasm pkg-config dpkg-dev xz-utils
    googletest ffmpeg pulseaudio python3 nsis zip clang-format
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

packages_time=$((SECONDS - started))
"$here/build-deps.sh"
# The parts' times, for the caller's summary (ZEVRIN_TIMES names a file it sources).
if [ -n "${ZEVRIN_TIMES:-}" ]; then
    echo "packages_time=$packages_time libraries_time=$((SECONDS - started - packages_time))" >>"$ZEVRIN_TIMES"
fi
