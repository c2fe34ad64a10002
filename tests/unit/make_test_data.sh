#!/usr/bin/env bash
# Makes the images the unit tests decode, with the machine's own ImageMagick and ffmpeg.
set -euo pipefail
out="$1"
mkdir -p "$out"
cd "$out"
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }

ff -f lavfi -i testsrc=size=320x240:rate=1 -frames:v 1 -q:v 3 photo.jpg
ff -f lavfi -i color=c=black:size=320x240 -frames:v 1 black.jpg
convert -size 64x48 gradient:red-blue photo24.bmp
convert -size 40x30 xc:'#336699' -fill '#ffcc00' -draw 'rectangle 0,0 9,9' -type Palette -compress None BMP3:palette8.bmp
convert -size 50x40 xc:none -fill '#ff000080' -draw 'rectangle 10,10 39,29' alpha.png
convert -size 30x20 xc:white -fill black -draw 'rectangle 0,0 14,19' -transparent white transparent.gif
convert -size 33x17 gradient:green-yellow -interlace GIF interlaced.gif
convert -size 24x16 gradient:white-black -alpha set -channel A -evaluate set 50% tga32.tga
convert -size 24x16 gradient:white-black -compress RLE rle24.tga
convert -size 20x20 xc:gray tiff.tif
cp tiff.tif artwork.tiff
head -c 2000 photo.jpg > truncated.jpg
printf 'This is not an image at all.\n' > notes.txt
printf '\x89PNG\r\n\x1a\nbroken' > broken.png
