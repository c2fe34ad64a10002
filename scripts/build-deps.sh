#!/usr/bin/env bash
# Builds the static mingw-w64 libraries Zevrin and its tools link against, from Debian's own
# source packages, into a cache outside the work tree:
#   zlib, libpng, libjpeg-turbo, TinyXML, GoogleTest, FFmpeg (a minimal LGPL build).
# The prefix is keyed by the source versions and by this script, so a second run does nothing.
# Prints nothing but progress; the prefix path is written to build/deps-prefix by the callers.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
cache="${ZEVRIN_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zevrin-deps}"
host=x86_64-w64-mingw32
jobs="$(nproc)"
mkdir -p "$cache"

# --- A private apt configuration with deb-src entries for the machine's own archive ---------------
apt_dir="$cache/apt"
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial"

write_source_list() {
    local out="$apt_dir/sources/zevrin-src.sources"
    : >"$out.new"
    # deb822 files: copy each "deb" stanza as a "deb-src" stanza.
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk 'BEGIN { RS=""; FS="\n" }
             {
               types=""; body="";
               for (i = 1; i <= NF; i++) {
                 if ($i ~ /^#/) continue;
                 if ($i ~ /^Types:/) { types=$i; continue }
                 if ($i ~ /^(URIs|Suites|Components|Signed-By):/) body = body $i "\n";
               }
               if (types ~ /(^|[ :])deb($| )/) printf "Types: deb-src\n%s\n", body;
             }' "$f" >>"$out.new"
    done
    # One-line files: "deb [opts] uri suite comps" becomes "deb-src ...".
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        grep -E '^[[:space:]]*deb[[:space:]]' "$f" | sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' \
            >>"$apt_dir/sources/zevrin-src.list.new" || true
    done
    mv "$out.new" "$out"
    if [ -s "$apt_dir/sources/zevrin-src.list.new" ]; then
        mv "$apt_dir/sources/zevrin-src.list.new" "$apt_dir/sources/zevrin-src.list"
    else
        rm -f "$apt_dir/sources/zevrin-src.list.new"
    fi
}

apt_private=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$apt_dir/sources"
             -o "Dir::State::Lists=$apt_dir/lists" -o Debug::NoLocking=1 -o APT::Sandbox::User=root)

refresh_lists() {
    write_source_list
    apt-get "${apt_private[@]}" update -qq >/dev/null
}

# Pinned source versions (Debian 12). When the archive no longer serves a pinned version, the
# newest one it does serve is used instead; the versions used are recorded in the prefix.
declare -A pinned=(
    [zlib]="1:1.2.13.dfsg-1"
    [libpng1.6]="1.6.39-2+deb12u5"
    [libjpeg-turbo]="1:2.1.5-2"
    [tinyxml]="2.6.2-6+deb12u1"
    [ffmpeg]="7:5.1.9-0+deb12u1"
)
declare -A version

# Bump when a library's configuration below changes, so that the cache is rebuilt.
recipe_revision=3
gtest_version="$(dpkg-query -W -f='${Version}' googletest)"
key="$( { echo "$recipe_revision $gtest_version"; declare -p pinned; cat "$root/cmake/mingw-w64.cmake"; } |
        sha256sum | cut -c1-16)"
prefix="$cache/prefix-$key"

if [ -f "$prefix/.complete" ]; then
    ln -sfn "$prefix" "$cache/current"
    exit 0
fi

# One build at a time: a second caller waits, then finds the prefix complete.
exec 9>"$cache/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    ln -sfn "$prefix" "$cache/current"
    exit 0
fi

echo "build-deps: building into $prefix"
src="$cache/src"
work="$cache/work-$key"
rm -rf "$work" "$prefix"
mkdir -p "$src" "$work" "$prefix"
started=$SECONDS
refresh_lists
version[googletest]="$gtest_version"

candidate_versions() { # package -> pinned version first, then the others newest first
    echo "${pinned[$1]}"
    apt-cache "${apt_private[@]}" showsrc "$1" 2>/dev/null |
        awk '/^Version:/ { print $2 }' | sort -Vru | grep -vxF "${pinned[$1]}" || true
}

fetch() { # package -> unpacked source folder in $fetched; sets version[package]
    local pkg=$1 ver dl
    for ver in $(candidate_versions "$pkg"); do
        fetched="$src/$pkg-${ver#*:}"
        if [ -d "$fetched" ]; then version[$pkg]=$ver; return 0; fi
        dl="$src/dl-$pkg"
        rm -rf "$dl" && mkdir -p "$dl"
        if (cd "$dl" && apt-get "${apt_private[@]}" source --download-only -qq "$pkg=$ver" >/dev/null 2>&1); then
            rm -rf "$fetched.tmp"
            (cd "$dl" && dpkg-source -x ./*.dsc "$fetched.tmp" >/dev/null 2>&1)
            mv "$fetched.tmp" "$fetched"
            rm -rf "$dl"
            version[$pkg]=$ver
            return 0
        fi
    done
    echo "build-deps: no version of the source package $pkg could be downloaded" >&2
    exit 1
}

toolchain="$root/cmake/mingw-w64.cmake"
cmake_lib() { # source-dir build-dir [cmake args...]
    local s=$1 b=$2; shift 2
    cmake -S "$s" -B "$b" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DZEVRIN_DEPS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_POLICY_DEFAULT_CMP0091=NEW "$@" >"$b.log" 2>&1 ||
        { tail -n 40 "$b.log"; return 1; }
    cmake --build "$b" -j "$jobs" >>"$b.log" 2>&1 || { tail -n 40 "$b.log"; return 1; }
    cmake --install "$b" >>"$b.log" 2>&1
}

fetch zlib; z=$fetched
echo "build-deps: zlib ${version[zlib]}"
cp -a "$z" "$work/zlib"
(cd "$work/zlib" && CHOST=$host CC=$host-gcc-posix AR=$host-ar RANLIB=$host-ranlib CFLAGS="-O2" \
    ./configure --static --prefix="$prefix" >/dev/null &&
    make -j "$jobs" libz.a >/dev/null && make install >/dev/null)

fetch ffmpeg; f=$fetched
echo "build-deps: ffmpeg ${version[ffmpeg]}"
join() { local IFS=,; echo "$*"; }
ff_demuxers=(mov flv asf avi mpegps mpegts mpegvideo matroska mp3 wav aac ac3 eac3 amr amrnb amrwb
    mmf ogg swf h263 h264 hevc m4v mjpeg image2 image2pipe gif flac hls rtsp rtp sdp concat
    image_bmp_pipe image_jpeg_pipe image_png_pipe image_gif_pipe image_tiff_pipe image_webp_pipe
    image_pgm_pipe image_ppm_pipe image_pam_pipe image_pbm_pipe image_jpegls_pipe vc1 w64 aiff au
    qcp dv)
ff_decoders=(h263 h263i h263p mpeg4 h264 hevc vp6 vp6f vp6a vp8 vp9 wmv1 wmv2 wmv3 wmv3image vc1
    vc1image mjpeg mjpegb flv msmpeg4v1 msmpeg4v2 msmpeg4v3 mpeg1video mpeg2video theora flashsv
    flashsv2 aac aac_latm amrnb amrwb qcelp evrc mp1 mp2 mp3 mp3float mp2float vorbis opus wmav1 wmav2
    wmapro wmavoice ac3 eac3 flac alac pcm_s16le pcm_s16be pcm_u8 pcm_s24le pcm_s32le pcm_f32le
    pcm_alaw pcm_mulaw pcm_s8 adpcm_ima_wav adpcm_ms adpcm_swf adpcm_yamaha adpcm_ima_qt adpcm_g726
    gsm gsm_ms png apng bmp gif tiff ppm pgm pgmyuv pbm pam targa webp jpegls rawvideo
    dvvideo pcm_dvd pcm_bluray)
ff_parsers=(h263 mpeg4video h264 hevc vp8 vp9 vc1 mjpeg aac aac_latm ac3 mpegaudio vorbis opus amr
    flac mpegvideo png bmp gif webp gsm)
ff_encoders=(mpeg4 h263 h263p mjpeg flv msmpeg4v2 wmv2 mpeg1video mpeg2video aac mp2 ac3 wmav2
    pcm_s16le pcm_u8 png bmp rawvideo)
ff_muxers=(mp4 mov tgp tg2 avi wav mp2 adts ac3 image2 mjpeg flv asf mpeg1system mpeg2video mpeg2vob
    matroska webm amr mmf null)
ff_protocols=(file pipe http https tcp udp rtp hls crypto tls httpproxy data)
ff_filters=(scale aresample volume null anull format aformat setpts asetpts fps trim atrim
    buffer abuffer buffersink abuffersink)
ff_bsfs=(h264_mp4toannexb hevc_mp4toannexb aac_adtstoasc extract_extradata mpeg4_unpack_bframes
    vp9_superframe)

# FFmpeg's configure runs alone for most of a minute: the small libraries build meanwhile.
mkdir -p "$work/ffmpeg"
(cd "$work/ffmpeg" && "$f/configure" --prefix="$prefix" \
    --cross-prefix=$host- --cc=$host-gcc-posix --cxx=$host-g++-posix \
    --target-os=mingw32 --arch=x86_64 --pkg-config=pkg-config --pkg-config-flags=--static \
    --enable-static --disable-shared --disable-programs --disable-doc --disable-debug \
    --disable-everything --disable-autodetect --disable-avdevice --disable-postproc \
    --enable-w32threads --enable-network --enable-schannel \
    --enable-zlib --extra-cflags="-I$prefix/include" --extra-ldflags="-L$prefix/lib" \
    --enable-avformat --enable-avcodec --enable-swscale --enable-swresample --enable-avfilter \
    --enable-demuxer="$(join "${ff_demuxers[@]}")" --enable-decoder="$(join "${ff_decoders[@]}")" \
    --enable-parser="$(join "${ff_parsers[@]}")" --enable-encoder="$(join "${ff_encoders[@]}")" \
    --enable-muxer="$(join "${ff_muxers[@]}")" --enable-protocol="$(join "${ff_protocols[@]}")" \
    --enable-filter="$(join "${ff_filters[@]}")" --enable-bsf="$(join "${ff_bsfs[@]}")" \
    >"$work/ffmpeg.log" 2>&1) &
ff_configure=$!
trap 'kill "$ff_configure" 2>/dev/null || true' EXIT

fetch libpng1.6
echo "build-deps: libpng ${version[libpng1.6]}"
cmake_lib "$fetched" "$work/libpng" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_BUILD_ZLIB=OFF -DZLIB_ROOT="$prefix" \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" -DSKIP_INSTALL_PROGRAMS=ON

fetch libjpeg-turbo
echo "build-deps: libjpeg-turbo ${version[libjpeg-turbo]}"
cmake_lib "$fetched" "$work/libjpeg" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DREQUIRE_SIMD=ON -DWITH_TURBOJPEG=OFF -DCMAKE_ASM_NASM_COMPILER=nasm

fetch tinyxml; t=$fetched
echo "build-deps: tinyxml ${version[tinyxml]}"
mkdir -p "$work/tinyxml" "$prefix/include/tinyxml"
for part in tinyxml tinystr tinyxmlerror tinyxmlparser; do
    $host-g++-posix -O2 -DTIXML_USE_STL -c "$t/$part.cpp" -o "$work/tinyxml/$part.o"
done
$host-ar rcs "$prefix/lib/libtinyxml.a" "$work"/tinyxml/*.o
cp "$t/tinyxml.h" "$t/tinystr.h" "$prefix/include/tinyxml/"

echo "build-deps: googletest ${version[googletest]}"
cmake_lib /usr/src/googletest "$work/googletest" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=ON \
    -DINSTALL_GTEST=ON -Dgtest_force_shared_crt=OFF

wait "$ff_configure" || { tail -n 40 "$work/ffmpeg.log"; exit 1; }
trap - EXIT
(cd "$work/ffmpeg" && make -j "$jobs" >>"$work/ffmpeg.log" 2>&1 && make install >>"$work/ffmpeg.log" 2>&1) ||
    { tail -n 40 "$work/ffmpeg.log"; exit 1; }

for p in "${!version[@]}"; do echo "$p=${version[$p]}"; done | sort >"$prefix/versions.txt"
touch "$prefix/.complete"
ln -sfn "$prefix" "$cache/current"
rm -rf "$work"
echo "build-deps: done in $((SECONDS - started)) s"
