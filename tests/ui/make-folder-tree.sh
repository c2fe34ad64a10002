#!/usr/bin/env bash
# The folder tree the folder dialog tests open, made with the machine's own ffmpeg: minute-long clips of five
# containers spread over sub-folders and a deep path, a text file, a folder of 3000 empty
# sub-folders and an empty folder. Usage: make-folder-tree.sh <folder>.
set -euo pipefail
out="$1"
stamp="$out/.stamp-$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
rm -rf "$out" && mkdir -p "$out/tree"
t="$out/tree"
clip() {  # clip <seconds> <options and file>
    local seconds="$1"
    shift
    ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=176x144:rate=15:duration=$seconds" "$@"
}
deep="$t/deep/one/two/three/four/five/six"
mkdir -p "$t/clips" "$deep" "$t/empty"
clip 60 -c:v h263 -b:v 128k "$t/a-first.3gp"
clip 60 -c:v mpeg4 -b:v 128k "$t/b-second.mp4"
clip 60 -c:v h263 -b:v 128k "$t/clips/c-third.3g2"
clip 60 -c:v mpeg4 -b:v 128k "$deep/d-fourth.avi"
clip 60 -c:v mpeg4 -b:v 128k "$t/e-fifth.mkv"
echo "not a clip" > "$t/readme.txt"
# Made in shuffled order: the tree must sort them itself.
mkdir -p "$t/big"
(cd "$t/big" && seq -f "d%04g" 0 2999 | shuf | xargs mkdir)
touch "$stamp"
