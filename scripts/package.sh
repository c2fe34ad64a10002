#!/usr/bin/env bash
# Makes what a Windows user downloads, beside the install tree under dist/:
#   Zevrin-<version>-setup.exe     the installer (installer/Zevrin.nsi, compiled with makensis)
#   Zevrin-<version>-portable.zip  the install tree, to run from any folder
#   update.xml                     what the update check reads, naming this version's installer
# Run after the build (run.sh and test.sh call it). The version is the project's, from the CMake
# cache. The same sources give the same bytes: no file times go into the installer, and the zip
# holds every file with one fixed time (below). When neither the install tree nor anything the
# packages are made from changed, it does nothing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/lib.sh"

out="$(dirname "$dist")"
work="$build/package"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package: no project version in $build/CMakeCache.txt" >&2; exit 1; }
product_page="$(sed -n 's/.*kProductPage\[\] = L"\([^"]*\)".*/\1/p' "$root/src/services/AppInfo.h")"
[ -n "$product_page" ] || { echo "package: no product page in src/services/AppInfo.h" >&2; exit 1; }
setup="Zevrin-$version-setup.exe"
portable="Zevrin-$version-portable.zip"
[ -f "$dist/Zevrin.exe" ] || { echo "package: no install tree in $dist" >&2; exit 1; }

# The time every file in the zip carries: SOURCE_DATE_EPOCH, or when what goes into the packages
# last changed in git (commits of tests alone leave it as it is).
epoch="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct -- src harlow res installer cmake CMakeLists.txt \
    scripts/build-deps.sh scripts/package.sh 2>/dev/null || true)}"
epoch="${epoch:-315532800}"

# Everything the packages are made from, hashed; equal to the last run's: nothing to do.
stamp="$(
    { cd "$dist" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum
      cd "$root" && sha256sum installer/Zevrin.nsi installer/*.txt installer/licenses/* scripts/package.sh
      echo "$version $product_page $deps_prefix $epoch"
    } | sha256sum | cut -d' ' -f1)"
if [ -f "$work/stamp" ] && [ "$(cat "$work/stamp")" = "$stamp" ] &&
    [ -f "$out/$setup" ] && [ -f "$out/$portable" ] && [ -f "$out/update.xml" ]; then
    exit 0
fi
command -v makensis >/dev/null && command -v zip >/dev/null ||
    { echo "package: makensis and zip are needed (scripts/setup.sh installs them)" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"

# The licence: the project's own, then the notices of what the tools and the program link.
# FFmpeg's configuration is read back from the library itself, with the build machine's prefix
# path taken out.
ffmpeg_configuration="$(strings "$deps_prefix/lib/libavutil.a" | awk '/^--prefix=/ && !seen { print; seen = 1 }' |
    sed -E 's#/[^ ]*/prefix-[0-9a-f]+#<prefix>#g')"
[ -n "$ffmpeg_configuration" ] || { echo "package: FFmpeg's configuration not found in libavutil.a" >&2; exit 1; }
notice() { # title, licence file
    printf '\n\n%s\n%s\n\n' "$1" "$(printf '%*s' "${#1}" '' | tr ' ' '=')"
    cat "$2"
}
{
    printf '\xef\xbb\xbf'
    cat "$root/installer/License.txt"
    printf '\n\nTHIRD-PARTY NOTICES\n\n'
    printf 'The media tools in the Harlow folder use the FFmpeg libraries (libavformat, libavcodec,\n'
    printf 'libavfilter, libswscale, libswresample, libavutil) of FFmpeg %s, licensed under the\n' \
        "$(sed -n 's/^ffmpeg=[0-9]*://p' "$deps_prefix/versions.txt")"
    printf 'GNU Lesser General Public License 2.1 and built with this configuration:\n\n%s\n' \
        "$(fold -s -w 76 <<<"$ffmpeg_configuration" | sed -e 's/ *$//' -e 's/^/    /')"
    printf '\nZevrin.exe uses libpng, libjpeg-turbo, zlib and TinyXML. This software is based in\n'
    printf 'part on the work of the Independent JPEG Group.\n'
    notice "FFmpeg: GNU Lesser General Public License, version 2.1" "$root/installer/licenses/FFmpeg-LGPL-2.1.txt"
    notice "libjpeg-turbo" "$root/installer/licenses/libjpeg-turbo.txt"
    notice "libpng" "$root/installer/licenses/libpng.txt"
    notice "zlib" "$root/installer/licenses/zlib.txt"
    notice "TinyXML" "$root/installer/licenses/TinyXML.txt"
} | sed 's/$/\r/' >"$work/License.txt"

# The install tree, in a fixed order, as File commands and as the matching removals (a file
# still held, say the extension by Explorer, goes at the next restart).
mapfile -t files < <(cd "$dist" && find . -type f | sed 's#^\./##' | LC_ALL=C sort)
mapfile -t dirs < <(cd "$dist" && find . -mindepth 1 -type d | sed 's#^\./##' | LC_ALL=C sort -r)
winpath() { printf '%s' "$1" | tr '/' '\\'; }
{
    current=""
    for f in "${files[@]}"; do
        folder="$(dirname "$f")"
        if [ "$folder" != "$current" ]; then
            if [ "$folder" = . ]; then echo 'SetOutPath "$INSTDIR"'; else echo "SetOutPath \"\$INSTDIR\\$(winpath "$folder")\""; fi
            current="$folder"
        fi
        echo "File \"$dist/$f\""
    done
} >"$work/files.nsh"
{
    for f in "${files[@]}"; do echo "Delete /REBOOTOK \"\$INSTDIR\\$(winpath "$f")\""; done
    for d in "${dirs[@]}"; do echo "RMDir /REBOOTOK \"\$INSTDIR\\$(winpath "$d")\""; done
} >"$work/unfiles.nsh"

makensis -V2 -NOCD -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DVERSION4="$version.0" -DOUTFILE="$work/$setup" -DLICENSE="$work/License.txt" \
    -DICON="$build/src/art/zevrin.ico" -DFILES="$work/files.nsh" -DUNFILES="$work/unfiles.nsh" \
    "$root/installer/Zevrin.nsi" >"$work/makensis.log" 2>&1 ||
    { cat "$work/makensis.log" >&2; echo "package: makensis failed" >&2; exit 1; }

# The portable zip: the same tree and the licence under a folder "Zevrin", fixed times and modes.
mkdir -p "$work/zip"
cp -a "$dist" "$work/zip/Zevrin"
cp "$work/License.txt" "$work/zip/Zevrin/License.txt"
find "$work/zip" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$work/zip" -exec touch -h -d "@$epoch" {} +
(cd "$work/zip" && find Zevrin | LC_ALL=C sort | TZ=UTC zip -X -q -@ "$work/$portable")

# What the update check reads; the description says "\n" for a line break.
xml_escape() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g'; }
description="$(sed "s/@VERSION@/$version/g" "$root/installer/Description.txt" | sed -n 1p | xml_escape)"
cat >"$work/update.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<Updates>
  <Application Version="$version" Level="0">
    <URL>${product_page}$setup</URL>
    <Description>$description</Description>
  </Application>
</Updates>
EOF

for f in "$setup" "$portable" update.xml; do mv -f "$work/$f" "$out/$f"; done
echo "$stamp" >"$work/stamp"
echo "package: $out/$setup, $out/$portable, $out/update.xml"
