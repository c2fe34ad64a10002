#!/usr/bin/env bash
# The installed program at 96, 144 and 192 DPI (the registry's LogPixels, read by Wine when its
# server starts), in a Wine prefix made for this test alone. At each DPI it reloads a playlist of
# three clips into the grid and measures the control bar and menu bar (window rectangles, read
# by the probe), a grid cell's thumbnail box and a list row under the pointer (in screenshots).
# Each must be 1.5 and 2 times its size at 96 DPI. The screenshots (grid, list, display pane,
# menu popup) stay in <build>/dpi-shots.
# Usage: <source dir> <build dir> <probe.exe>
set -euo pipefail
root="$1"
build="$2"
probe="$3"
dist="$root/dist/Zevrin"
shots="$build/dpi-shots"
work="$(mktemp -d "$build/dpi-prefix-XXXXXX")"
prefix="$work/prefix"
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$dist/Zevrin.exe" ] || [ -f "$dist/Zevrin.exe" ] || fail "no installed program in $dist"

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$root/scripts/offline.sh"
wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tresk\Zevrin' /v AppFolder /t REG_SZ /d "$(winepath -w "$dist")" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tresk\Zevrin\Settings' /v LoadLastPlaylist /t REG_DWORD /d 1 /f >/dev/null 2>&1
zevrin_keep_offline
mkdir -p "$work/clips" "$shots"
for i in 1 2 3; do
    ffmpeg -v error -f lavfi -i "testsrc2=size=320x240:rate=15:duration=3" -pix_fmt yuv420p "$work/clips/clip$i.mp4"
done
# The last playlist, reloaded at start: the grid fills without anything playing.
appdata="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")"
mkdir -p "$appdata/Tresk/Zevrin"
{
    echo '<?xml version="1.0" ?>'
    echo '<Plays Flags="0" Version="1.0.0">'
    for i in 1 2 3; do echo "<Play Flags=\"0\"><File>$(winepath -w "$work/clips/clip$i.mp4")</File></Play>"; done
    echo '</Plays>'
} >"$appdata/Tresk/Zevrin/Default.play"

# The width and the line width of the first frame around a thumbnail box: a run of the frame
# colour at least 60 pixels long, and how many rows below it repeat it.
measure_cell() {
    convert "$1" -depth 8 "rgb:$work/shot.rgb"
    python3 - "$work/shot.rgb" "$(identify -format '%w' "$1")" "${@:2}" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
width = int(sys.argv[2])
height = len(data) // (3 * width)
frame = bytes((0x40, 0x40, 0x40))
def runs(y):
    row = data[y * width * 3:(y + 1) * width * 3]
    x = 0
    while x < width:
        if row[x * 3:x * 3 + 3] == frame:
            start = x
            while x < width and row[x * 3:x * 3 + 3] == frame:
                x += 1
            if x - start >= 60:
                yield start, x - start
        x += 1
if len(sys.argv) > 3:  # a list row: the lit run down the column x from y
    x, y0 = int(sys.argv[3]), int(sys.argv[4])
    lit = (bytes((255, 255, 255)), bytes((0xF0, 0xF0, 0xF0)))
    pixel = lambda y: data[(y * width + x) * 3:(y * width + x) * 3 + 3]
    y = y0
    while y < height and pixel(y) not in lit:
        y += 1
    start = y
    while y < height and pixel(y) in lit:
        y += 1
    print(y - start, 0)
    sys.exit(0)
for y in range(height):
    found = list(runs(y))
    if found:
        start, length = found[0]
        line = 1
        while y + line < height and (start, length) in list(runs(y + line)):
            line += 1
        print(length, line)
        break
else:
    print(0, 0)
PY
}

declare -A bar menu cell row
for dpi in 96 144 192; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    # The grid each time: the last run left the list style it ended in.
    wine reg add 'HKCU\Software\Tresk\Zevrin\Settings' /v ViewStyle /t REG_DWORD /d 1 /f >/dev/null 2>&1
    xdotool mousemove 0 0 >/dev/null 2>&1 || true
    wine "$dist/Zevrin.exe" >/dev/null 2>&1 &
    program=$!
    wine "$probe" sizes >/dev/null 2>&1 || fail "no main window at $dpi DPI"
    sleep 8  # the clips are probed and their thumbnails extracted
    sizes="$(wine "$probe" sizes | tr -d '\r')" || fail "at $dpi DPI: $sizes"
    echo "$dpi DPI: $(tr '\n' ';' <<<"$sizes")"
    grep -q "^system_dpi $dpi\$" <<<"$sizes" || fail "Wine did not take LogPixels $dpi"
    bar[$dpi]=$(awk '$1 == "control_bar" {print $3}' <<<"$sizes")
    menu[$dpi]=$(awk '$1 == "menu_bar" {print $3}' <<<"$sizes")
    import -window root "$shots/grid-$dpi.png"
    read -r run line <<<"$(measure_cell "$shots/grid-$dpi.png")"
    cell[$dpi]=$((run - 2 * line))
    echo "$dpi DPI: control bar ${bar[$dpi]}, menu bar ${menu[$dpi]}, thumbnail box ${cell[$dpi]} (frame $run, line $line)"
    # The first item's properties: the dialog scales by its template.
    read -r _ left top pane_width _ <<<"$(grep '^playlist ' <<<"$sizes")"
    xdotool mousemove $((left + 40 * dpi / 96)) $((top + 40 * dpi / 96)) click 1 >/dev/null 2>&1 || true
    xdotool mousemove 0 0 >/dev/null 2>&1 || true
    wine "$probe" command 32806 >/dev/null 2>&1 || true
    sleep 2
    import -window root "$shots/properties-$dpi.png"
    echo "$dpi DPI: properties $(wine "$probe" dialog | tr -d '\r')"
    sleep 1
    # The list, with the pointer on its first row: the lit row is one row high. It is measured
    # left of the pointer, where the path's tooltip never comes.
    wine "$probe" command 59410 >/dev/null 2>&1 || true
    x=$((left + pane_width / 4))
    xdotool mousemove $((left + pane_width * 3 / 4)) $((top + 4 * dpi / 96)) >/dev/null 2>&1 || true
    sleep 1
    import -window root "$shots/list-$dpi.png"
    read -r row[$dpi] _ <<<"$(measure_cell "$shots/list-$dpi.png" "$x" "$top")"
    echo "$dpi DPI: list row ${row[$dpi]}"
    xdotool mousemove 0 0 >/dev/null 2>&1 || true
    wine "$probe" command 57680 >/dev/null 2>&1 || true
    sleep 1
    import -window root "$shots/display-$dpi.png"
    wine "$probe" menu >/dev/null 2>&1 || true
    sleep 1
    import -window root "$shots/menu-$dpi.png"
    xdotool key Escape >/dev/null 2>&1 || true
    wine "$probe" close >/dev/null 2>&1 || true
    for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=""
done
zevrin_check_offline

# Sizes at 144 and 192 DPI are 1.5 and 2 times those at 96, to the pixel.
check() { # <what> <at 96> <at dpi> <dpi>
    [ "$2" -gt 0 ] || fail "$1 not found at 96 DPI"
    [ $(($2 * $4)) -eq $(($3 * 96)) ] || fail "$1 is $3 at $4 DPI, $2 at 96"
}
for dpi in 144 192; do
    check "the control bar's height" "${bar[96]}" "${bar[$dpi]}" "$dpi"
    check "the menu bar's height" "${menu[96]}" "${menu[$dpi]}" "$dpi"
    check "a thumbnail box's width" "${cell[96]}" "${cell[$dpi]}" "$dpi"
    check "a list row's height" "${row[96]}" "${row[$dpi]}" "$dpi"
done
echo "sizes at 144 and 192 DPI are 1.5 and 2 times those at 96"
