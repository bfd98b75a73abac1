#!/bin/bash
# packaging/test-package.sh — tests the release files of ./package under Wine, in a fresh
# Wine prefix of its own (build/package-test, deleted at the end):
#   the x64 installer installs silently with the association, the Start-menu shortcut starts
#   the installed program (screenshot), opening an ".acs" through the shell starts it with that
#   file, a second install over the first works, an uninstall after a failed program start
#   leaves nothing of ours (registry exports and a drive listing before and after), a newer
#   version upgrades it and keeps the association, an association another program took over
#   stays, and the portable zip runs from a folder whose name has blanks and non-ASCII letters,
#   plays the sample and keeps its settings beside itself. Every program carries the version.
# KV_PACKAGE_SHOT=FILE keeps the installed program's screenshot there. Ends with the line
# "N passed, N failed"; the exit code is 1 when any check failed.
set -uo pipefail
KV_ROOT=$(cd "$(dirname "$0")/.." && pwd)
KV_BUILD=${KV_BUILD:-$KV_ROOT/build}
DIST=${KV_DIST:-$KV_ROOT/dist}
WORK=$KV_BUILD/package-test
version=$(cat "$KV_BUILD/win64/version.txt") || exit 1
msi=$DIST/Kelvorine-$version-x64.msi
zip=$DIST/Kelvorine-$version-portable.zip
probe=$KV_BUILD/win64/tools/winprobe/winprobe.exe
for f in "$msi" "$zip" "$probe"; do
    [ -f "$f" ] || { echo "test-package: $f is missing (run ./package)" >&2; exit 1; }
done

rm -rf "$WORK"
mkdir -p "$WORK"
export KV_WINE_DIR=$WORK KV_WINEPREFIX=$WORK/prefix KV_XVFB=1
# No menu entries on the host for the Start-menu shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
source "$KV_ROOT/scripts/wine-env.sh"
kv_wine_prepare || { echo "test-package: Wine could not be prepared" >&2; exit 1; }
cleanup() {
    kv_wine_stop
    rm -rf "$WORK"
}
trap cleanup EXIT
wine=$(kv_wine_loader win64)

passed=0
failed=0
check() { # check NAME COMMAND...
    local name=$1; shift
    if "$@"; then
        passed=$((passed + 1)); echo "ok: $name"
    else
        failed=$((failed + 1)); echo "FAILED: $name"
    fi
}
not() { ! "$@" >/dev/null; }
winpath() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
probe() { "$wine" "$probe" "$@" >/dev/null 2>&1; }
quiet() { "$wine" "$@" >/dev/null 2>&1 </dev/null; }

user=$("$wine" cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
drive=$WINEPREFIX/drive_c
installed=$drive/users/$user/AppData/Local/Programs/Kelvorine
shortcut=$drive/users/$user/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Kelvorine.lnk
exe_win='C:\users\'"$user"'\AppData\Local\Programs\Kelvorine\Kelvorine.exe'
product=$(msiinfo export "$msi" Property | awk -F'\t' '$1 == "ProductCode" { print $2 }' | tr -d '\r')
classes='HKCU\Software\Classes\Agent.Character2.2\shell\open\command'

snapshot() { # snapshot DIR
    mkdir -p "$1"
    quiet regedit /e "$(winpath "$1/hkcu.reg")" HKEY_CURRENT_USER
    quiet regedit /e "$(winpath "$1/classes.reg")" 'HKEY_LOCAL_MACHINE\Software\Classes'
    quiet regedit /e "$(winpath "$1/uninstall.reg")" \
        'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall'
    (cd "$drive" && find . | LC_ALL=C sort) >"$1/files.txt"
}
reg_default() { # reg_default KEY: the key's default value, or nothing
    "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}
set_default() { quiet reg add "$1" /ve /d "$2" /f; }
has_uninstall_entry() {
    local root
    for root in HKCU HKLM; do
        "$wine" reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product" \
            /v DisplayVersion 2>/dev/null | grep -q "REG_SZ *$version" && return 0
    done
    return 1
}
no_uninstall_entry() { ! has_uninstall_entry; }
# The version resource's ProductVersion text (UTF-16) names the project's version.
exe_has_version() {
    python3 - "$1" "$version" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
needle = "ProductVersion\0".encode("utf-16-le")
at = data.find(needle)
sys.exit(0 if at >= 0 and data[at:at + 120].find(sys.argv[2].encode("utf-16-le")) > 0 else 1)
PY
}
msi_has_version() {
    msiinfo export "$msi" Property | tr -d '\r' | grep -qx "ProductVersion	$version"
}
# start_and_wait: the last started program shows its main window, and the character greets.
shows_character() { probe wait TForm1 60000 && probe wait KelvorineBalloon 15000; }
no_message_box() { ! "$wine" "$probe" list 2>/dev/null | grep -q '^#32770'; }
close_program() { probe close TForm1 15000 || true; sleep 0.5; }
files_installed() {
    [ -f "$installed/Kelvorine.exe" ] && [ -f "$installed/Pip.acs" ] &&
        [ -f "$installed/Kelvorine.ini" ] && [ -f "$shortcut" ]
}
association_is_ours() { reg_default "$classes" | grep -qiF "\"$exe_win\" \"%1\""; }

echo "=== version $version"
check "the installer carries the version" msi_has_version
check "the installed program's version resource" exe_has_version "$KV_BUILD/package/msi-x64/Kelvorine.exe"
check "the program's manifest names it" grep -q "assemblyIdentity.*version=\"$version.0\"" \
    "$KV_ROOT/app/res/Kelvorine.manifest"

echo "=== install"
snapshot "$WORK/before"
check "silent install with the association" quiet msiexec /i "$(winpath "$msi")" /qn ASSOCIATE=1
check "files and the Start-menu shortcut are there" files_installed
check "an uninstaller is registered" has_uninstall_entry
check "the association opens the installed program" association_is_ours
snapshot "$WORK/installed"
# The comparison must see what an install writes, or its clean result after the uninstall
# would say nothing.
check "the comparison sees the install" not python3 "$KV_ROOT/packaging/leftovers.py" \
    "$WORK/before" "$WORK/installed" "$user"

echo "=== the Start-menu shortcut starts the installed program"
quiet start "$(winpath "$shortcut")"
check "its main window shows" probe wait TForm1 60000
shot=${KV_PACKAGE_SHOT:-$WORK/installed.png}
mkdir -p "$(dirname "$shot")"
sleep 1
"$wine" "$probe" rect TForm1 >"$WORK/rect.txt" 2>/dev/null
crop=$(tr -d '\r' <"$WORK/rect.txt")
import -window root -display "$DISPLAY" ${crop:+-crop "$crop"} "$shot" && echo "screenshot: $shot"
close_program

echo "=== opening an .acs through the shell"
quiet cmd /c start "" "$(winpath "$installed/Pip.acs")"
check "the installed program starts and greets with the file" shows_character
check "no error box" no_message_box
close_program

echo "=== a second install over the first"
check "installs again" quiet msiexec /i "$(winpath "$msi")" /qn ASSOCIATE=1
check "everything is still there" files_installed
check "one uninstaller" has_uninstall_entry

echo "=== uninstall after a failed program start"
head -c 300 "$installed/Pip.acs" >"$WORK/Broken.acs"
"$wine" "$installed/Kelvorine.exe" "$(winpath "$WORK/Broken.acs")" >/dev/null 2>&1 &
app=$!
check "a damaged file stops the start with a message" probe wait '#32770' 60000
kill $app 2>/dev/null
wait $app 2>/dev/null
check "silent uninstall" quiet msiexec /x "$(winpath "$msi")" /qn
snapshot "$WORK/after"
check "nothing of ours is left" python3 "$KV_ROOT/packaging/leftovers.py" "$WORK/before" "$WORK/after" "$user"
check "the uninstaller is gone" no_uninstall_entry

echo "=== without the association"
check "installs" quiet msiexec /i "$(winpath "$msi")" /qn
check "no association is written" test -z "$(reg_default "$classes")" -a \
    -z "$(reg_default 'HKCU\Software\Classes\.acs')"
check "uninstalls" quiet msiexec /x "$(winpath "$msi")" /qn

echo "=== an upgrade to a newer version"
IFS=. read -r major minor patch <<<"$version"
newer=$major.$minor.$((patch + 1))
newer_msi=$WORK/Kelvorine-$newer-x64.msi
"$KV_ROOT/packaging/build-msi.sh" "$KV_BUILD/package/msi-x64" x64 "$newer" "$newer_msi" >/dev/null 2>&1
newer_product=$(msiinfo export "$newer_msi" Property | awk -F'\t' '$1 == "ProductCode" { print $2 }' | tr -d '\r')
entry_version() { # entry_version PRODUCT: the DisplayVersion of its uninstall entry, if any
    local root
    for root in HKCU HKLM; do
        "$wine" reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" \
            /v DisplayVersion 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
    done
}
quiet msiexec /i "$(winpath "$msi")" /qn ASSOCIATE=1
check "the newer version installs over the older" quiet msiexec /i "$(winpath "$newer_msi")" /qn
check "its uninstaller replaces the older one" test "$(entry_version "$product")|$(entry_version "$newer_product")" = "|$newer"
check "the association stays" association_is_ours
check "the files are there" files_installed
check "the newer version uninstalls" quiet msiexec /x "$(winpath "$newer_msi")" /qn
check "and takes the association and the files" test -z "$(reg_default "$classes")" -a ! -e "$installed"

echo "=== an association another program took over stays"
other='"C:\Other\Viewer.exe" "%1"'
quiet msiexec /i "$(winpath "$msi")" /qn ASSOCIATE=1
set_default "$classes" "$other"
set_default 'HKLM\Software\Classes\Agent.Character2.2\shell\open\command' "$other"
quiet msiexec /x "$(winpath "$msi")" /qn
check "the other program's command stays" test "$(reg_default "$classes")" = "$other"
check "the extension still names it" test "$(reg_default 'HKCU\Software\Classes\.acs')" = Agent.Character2.2
check "our files are gone" test ! -e "$installed"

echo "=== the portable zip in a folder with blanks and non-ASCII letters"
portable="$drive/Kelvorine Pörtable Ünïcode"
mkdir -p "$portable"
check "unpacks" unzip -q "$zip" -d "$portable"
root="$portable/Kelvorine-$version"
check "both builds, the tools, the sample and the README" test -f "$root/x64/Kelvorine.exe" -a \
    -f "$root/x86/Kelvorine.exe" -a -f "$root/x64/gallery.exe" -a -f "$root/x64/skinpack.exe" -a \
    -f "$root/x64/acstool.exe" -a -f "$root/Pip.acs" -a -f "$root/README.txt"
all_have_version() {
    local exe
    for exe in "$root"/x64/*.exe "$root"/x86/*.exe; do exe_has_version "$exe" || return 1; done
}
check "every program in it carries the version" all_have_version
"$wine" "$root/x64/Kelvorine.exe" "$(winpath "$root/Pip.acs")" >/dev/null 2>&1 &
app=$!
check "runs and plays the sample" shows_character
check "no error box" no_message_box
# Picking a language writes the settings beside the program, not anywhere else.
menu_id() { # the command id of a menu item: its place among the main window's menu items
    grep -E '^ *object [A-Za-z0-9_]+: T(MenuItem|MainMenu|PopupMenu) *$' "$KV_ROOT/app/Unit1.layout" |
        awk -v name="$1" '{ sub(":", "", $2) } $2 == name { print NR; exit }'
}
settings_beside() { sleep 1; tr -d '\r' <"$root/x64/Kelvorine.ini" | grep -qx 'LanguageID=2'; }
probe command TForm1 "$(menu_id ChineseSimple1)"
check "keeps its settings beside itself" settings_beside
close_program
wait $app 2>/dev/null
# Output goes through a file: Wine's helper processes can hold a pipe open.
tool_runs() { "$wine" "$1" >"$WORK/tool.out" 2>&1 </dev/null; grep -qi usage "$WORK/tool.out"; }
check "skinpack runs" tool_runs "$root/x64/skinpack.exe"
check "acstool runs" tool_runs "$root/x64/acstool.exe"

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
