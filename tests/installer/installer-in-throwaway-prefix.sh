#!/usr/bin/env bash
# The installer and the portable package as a Windows user meets them, in a Wine prefix made for
# this test alone (it installs per machine and registers COM classes): a silent install into
# Program Files with everything it registers, the installed program playing a clip, an install
# over the existing one, the silent uninstall that keeps the user's data and the one that
# removes it, and the portable zip running from its own folder. The prefix lives in the work
# folder and is removed afterwards.
# Usage: installer-in-throwaway-prefix.sh <source folder> <build folder> <work folder> <hung frame.exe>
#        (ZEVRIN_DIST: the install tree)
set -euo pipefail
src="$(realpath "$1")" build="$(realpath "$2")" work="$(realpath -m "$3")" hung_frame="$(realpath "$4")"
dist="${ZEVRIN_DIST:+$(realpath -m "$ZEVRIN_DIST")}"
[ -n "$dist" ] && [ -f "$dist/Zevrin.exe" ] || { echo "FAIL: no install tree in ZEVRIN_DIST='$dist'" >&2; exit 1; }
out="$(dirname "$dist")"
version="$(sed -n 's/^project(Zevrin VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")"
setup="$out/Zevrin-$version-setup.exe" portable="$out/Zevrin-$version-portable.zip"
[ -f "$setup" ] && [ -f "$portable" ] && [ -f "$out/update.xml" ] ||
    { echo "FAIL: the packages of $version are not in $out (scripts/package.sh makes them)" >&2; exit 1; }

prefix="$work/prefix"
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
rm -rf "$work" && mkdir -p "$work/files"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
check() { # description, command...: a failed check is counted, the run goes on
    local what="$1"; shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

clip="$work/files/harbour.3gp"
ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=176x144:rate=15:duration=30" \
    -f lavfi -i "sine=frequency=440:duration=30" -c:v h263 -b:v 128k -c:a aac -ar 16000 -ac 1 "$clip"

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
# No window manager on Xvfb: unmanaged windows never wait for one when they hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p
wine cmd /c exit >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d "" /f >/dev/null 2>&1  # no sound here

c="$prefix/drive_c"
folder="$c/Program Files/Zevrin"
folder_w='C:\Program Files\Zevrin'
start_menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zevrin"
user_data="$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Tresk/Zevrin"
app_key='HKCU\Software\Tresk\Zevrin'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zevrin'
clsid='{473D1FB7-9497-4184-9B7F-368F870ACF42}'
handler_keys=('HKCR\*\ShellEx\ContextMenuHandlers\Tresk.Zevrin' 'HKCR\Folder\ShellEx\ContextMenuHandlers\Tresk.Zevrin')
# The program writes ".play" under the current user's classes on Windows, and under the merged
# classes (machine-wide) on Wine, whose shell reads no others: both are looked at.
play_keys=('HKCR\.play' 'HKCR\Tresk.Zevrin.play')
user_play_keys=('HKCU\Software\Classes\.play' 'HKCU\Software\Classes\Tresk.Zevrin.play')
# Until the program's "/Register" writes ".play", its start-up registration is an empty stub:
# the ".play" checks then say so and are skipped.
play_registered=1
grep -q 'RegisterShellFileTypes(bool) {}' "$src/src/app/ZevrinApp.cpp" && play_registered=0

key_exists() { wine reg query "$1" >/dev/null 2>&1; }
key_gone() { ! key_exists "$1"; }
value_of() { # key, value name ("" for the default): the data, or nothing when missing
    local args=(/v "$2"); [ -z "$2" ] && args=(/ve)
    wine reg query "$1" "${args[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*REG_[A-Z_]* *//p' | head -n 1
}
equals() { [ "$1" = "$2" ] || { echo "  '$1' is not '$2'" >&2; return 1; }; }
tree_of() { (cd "$1" && find . -type f | LC_ALL=C sort); }
same_tree() { # the installed folder holds the install tree, byte for byte, and the two extras
    diff <({ tree_of "$dist"; printf './License.txt\n./Uninstall.exe\n'; } | LC_ALL=C sort) <(tree_of "$folder") >&2 &&
        (cd "$dist" && find . -type f -exec cmp -s {} "$folder/{}" \; -o -type f -printf '  differs: %p\n' | grep . >&2 && return 1 || true)
}
install() { wine "$setup" /S "$@"; }
uninstall() { # options...: the uninstaller copies itself away and returns at once; wait for it
    wine "$folder/Uninstall.exe" /S "$@"
    for _ in $(seq 300); do
        pgrep -f '~nsu[0-9A-F]*\.tmp' >/dev/null || break
        sleep 0.1
    done
}
start_program() { # exe, arguments...: started in the background as $app
    wine "$@" &
    app=$!
}
wait_for_title() { # regex: the program's window shows it within 30 s
    for _ in $(seq 300); do
        xdotool search --name "$1" >/dev/null 2>&1 && return 0
        kill -0 "$app" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
playing() { # the window shows the clip's title and the playback tool runs from the given folder
    wait_for_title '^harbour - 1/1' || { echo "  no window titled 'harbour - 1/1'" >&2; return 1; }
    pgrep -f "$1.Harlow.Vistrel.exe" >/dev/null || { echo "  no Vistrel.exe from $1" >&2; return 1; }
}
ended() { for _ in $(seq 150); do kill -0 "$app" 2>/dev/null || { wait "$app" || true; app=""; return 0; }; sleep 0.1; done; return 1; }

echo "== silent install into the default folder"
install
check "the install tree, the licence and the uninstaller are in Program Files\\Zevrin" same_tree
check "AppFolder names the folder" equals "$(value_of "$app_key" AppFolder)" "$folder_w"
check "the uninstall entry names the program, version, maker and folder" equals \
    "$(value_of "$uninstall_key" DisplayName)|$(value_of "$uninstall_key" DisplayVersion)|$(value_of "$uninstall_key" Publisher)|$(value_of "$uninstall_key" InstallLocation)" \
    "Zevrin|$version|Tresk|$folder_w"
check "the uninstall entry's icon, size and commands" equals \
    "$(value_of "$uninstall_key" DisplayIcon)|$(value_of "$uninstall_key" UninstallString)|$(value_of "$uninstall_key" QuietUninstallString)" \
    "$folder_w\\Zevrin.exe,0|\"$folder_w\\Uninstall.exe\"|\"$folder_w\\Uninstall.exe\" /S"
size="$(value_of "$uninstall_key" EstimatedSize)"
check "the estimated size is the folder's, in KB ($size)" test $((size)) -ge $(($(du -sk "$dist" | cut -f1) / 2))
check "the Start menu has Zevrin and Uninstall" test -f "$start_menu/Zevrin.lnk" -a -f "$start_menu/Uninstall.lnk"
check "no desktop shortcut unless chosen" test ! -e "$c/users/Public/Desktop/Zevrin.lnk"
check "the extension's class is registered to the installed library" equals \
    "$(value_of "HKCR\\CLSID\\$clsid\\InprocServer32" "")" "$folder_w\\Nobrel.dll"
check "both handler keys are there" key_exists "${handler_keys[0]}"
check "  (folders too)" key_exists "${handler_keys[1]}"
if ((play_registered)); then
    check ".play names the program's type" equals "$(value_of "${play_keys[0]}" "")" "Tresk.Zevrin.play"
    check ".play opens with the installed Zevrin.exe" equals \
        "$(value_of "${play_keys[1]}\\shell\\open\\command" "")" "\"$folder_w\\Zevrin.exe\" \"%1\""
else
    echo "skipped: .play (Zevrin.exe /Register does not register it in this build)"
fi

echo "== the installed program plays a clip, and keeps its settings and playlist at exit"
start_program "$folder/Zevrin.exe" "$(winepath -w "$clip")"
check "Zevrin.exe from Program Files plays the clip" playing 'Program Files.Zevrin'
wine reg add "$app_key" /v InstallerTestMarker /t REG_SZ /d kept /f >/dev/null 2>&1

echo "== installing over the running install"
install
check "the running Zevrin was closed" ended
check "the user's data was written at its exit" test -f "$user_data/Default.play"
printf 'damaged' >"$folder/Harlow/Quorrin.exe"
install
check "a second install over it replaces the files" same_tree
check "and keeps the settings" equals "$(value_of "$app_key" InstallerTestMarker)" kept
check "and AppFolder" equals "$(value_of "$app_key" AppFolder)" "$folder_w"

echo "== silent uninstall while the program runs"
start_program "$folder/Zevrin.exe"
wait_for_title 'Zevrin' || true
uninstall
check "the running Zevrin was ended" ended
check "the folder is gone" test ! -e "$folder"
check "the Start-menu folder is gone" test ! -e "$start_menu"
check "the uninstall entry is gone" key_gone "$uninstall_key"
check "AppFolder is gone" equals "$(value_of "$app_key" AppFolder)" ""
check "the extension's class is gone" key_gone "HKCR\\CLSID\\$clsid"
check "both handler keys are gone" key_gone "${handler_keys[0]}"
check "  (folders too)" key_gone "${handler_keys[1]}"
check ".play's keys are gone" key_gone "${play_keys[1]}"
check "  (the extension too)" key_gone "${play_keys[0]}"
check "  (the user's classes too)" key_gone "${user_play_keys[1]}"
check "  (and their extension)" key_gone "${user_play_keys[0]}"
check "the user's settings stay" equals "$(value_of "$app_key" InstallerTestMarker)" kept
check "the user's Default.play stays" test -f "$user_data/Default.play"

echo "== silent install into a folder of the administrator's choice, and the uninstall that removes the user's data"
folder="$c/Apps/Zevrin" folder_w='C:\Apps\Zevrin'  # unquoted: wine would quote a path with blanks
install "/D=$folder_w"
check "installed into $folder_w" same_tree
check "AppFolder names that folder" equals "$(value_of "$app_key" AppFolder)" "$folder_w"
check "the uninstall entry too" equals "$(value_of "$uninstall_key" QuietUninstallString)" "\"$folder_w\\Uninstall.exe\" /S"
uninstall /RemoveSettings
check "the folder is gone" test ! -e "$folder"
check "the uninstall entry is gone" key_gone "$uninstall_key"
check "the settings are gone" key_gone "$app_key"
check "the user's data folder is gone" test ! -e "$user_data"

echo "== installing over an older version"
# An older release as its own installer made it: the same script built as 2.9.0 with one more
# file, which only its own uninstaller knows.
package="$build/package"
printf 'a file of the older version\r\n' >"$work/files/Retired.txt"
{ cat "$package/files.nsh"; echo 'SetOutPath "$INSTDIR\Harlow"'; echo "File \"$work/files/Retired.txt\""; } >"$work/old-files.nsh"
{ echo 'Delete "$INSTDIR\Harlow\Retired.txt"'; cat "$package/unfiles.nsh"; } >"$work/old-unfiles.nsh"
makensis -V1 -NOCD -INPUTCHARSET UTF8 -DVERSION=2.9.0 -DVERSION4=2.9.0.0 -DOUTFILE="$work/old-setup.exe" \
    -DLICENSE="$package/License.txt" -DICON="$build/src/art/zevrin.ico" -DFILES="$work/old-files.nsh" \
    -DUNFILES="$work/old-unfiles.nsh" "$src/installer/Zevrin.nsi"
folder="$c/Program Files/Zevrin" folder_w='C:\Program Files\Zevrin'
wine "$work/old-setup.exe" /S
check "the older version is installed" equals "$(value_of "$uninstall_key" DisplayVersion)" 2.9.0
check "  with its own file" test -f "$folder/Harlow/Retired.txt"
wine reg add "$app_key" /v InstallerTestMarker /t REG_SZ /d kept /f >/dev/null 2>&1
install
check "the new version's files replace the older ones, none of them left" same_tree
check "the uninstall entry is the new version's" equals "$(value_of "$uninstall_key" DisplayVersion)" "$version"
check "the settings stay" equals "$(value_of "$app_key" InstallerTestMarker)" kept
check "the extension is registered" key_exists "${handler_keys[0]}"
echo "== a silent uninstall ends a Zevrin that does not close"
start_program "$hung_frame"
wait_for_title '^Zevrin .not answering.$' || fail "the stand-in's window did not show"
uninstall /RemoveSettings
check "the stand-in was ended" ended
check "and all of it goes with the uninstall" test ! -e "$folder"

echo "== the portable package runs from its own folder"
mkdir -p "$c/Portable"
python3 -m zipfile -e "$portable" "$c/Portable"
check "the zip holds the install tree and the licence" diff <({ tree_of "$dist"; echo ./License.txt; } | LC_ALL=C sort) \
    <(tree_of "$c/Portable/Zevrin")
start_program "$c/Portable/Zevrin/Zevrin.exe" "$(winepath -w "$clip")"
check "Zevrin.exe from the unpacked zip plays the clip with its own tools" playing 'Portable.Zevrin'
check "and nothing wrote AppFolder" equals "$(value_of "$app_key" AppFolder)" ""
kill "$app" 2>/dev/null || true
app=""

echo "== update.xml"
check "update.xml announces this version and its installer" python3 - "$out/update.xml" "$version" <<'EOF'
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
app = root.find("Application")
assert root.tag == "Updates" and app is not None, "no Updates/Application"
assert app.get("Version") == sys.argv[2], app.get("Version")
assert app.findtext("URL").endswith("/Zevrin-%s-setup.exe" % sys.argv[2]), app.findtext("URL")
assert app.findtext("Description").strip(), "no description"
EOF

((failures == 0)) || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all checks passed"
