# Sourced by every script that runs Windows programs. Gives one private Wine prefix per
# checkout (under build/wine), a virtual desktop so Wine draws frames and returns exit codes,
# an Xvfb display when there is none, and one persistent wineserver for the run.
# Test programs (wine-run --own-screen, as ctest runs them) read the screen, send real mouse and
# keyboard input or need the activation, so each takes one of KV_SCREENS private screens that
# nothing else uses while it runs: an Xvfb and a prefix of its own (build/wine/screen-N).
#
#   kv_wine_prepare          make everything ready (idempotent, safe to call concurrently)
#   kv_wine_take_screen      wait for a free private screen and use it from here on; it stays
#                            taken while the calling shell runs (lock on fd 8: give the
#                            programs it starts 8>&-)
#   kv_wine_loader ARCH      the Wine loader for win32 or win64 programs
#   kv_wine_native_arch      win32 when this kernel runs 32-bit code, else win64
#   kv_wine_stop_main        stop the main screen's wineserver and Xvfb (./run: the private
#                            screens may be serving a test run)
#   kv_wine_stop             stop every wineserver and Xvfb of the checkout, screens too

KV_ROOT=${KV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
KV_WINE_DIR=${KV_WINE_DIR:-$KV_ROOT/build/wine}
# Where the display of this shell's screen is recorded: the main one, or a private screen's.
KV_SCREEN_DIR=$KV_WINE_DIR
KV_MAIN_PREFIX=${KV_WINEPREFIX:-$KV_WINE_DIR/prefix}
export WINEPREFIX=$KV_MAIN_PREFIX
# Every prefix starts as a copy of one that wineboot made: a copy takes two seconds, a boot
# half a minute.
KV_WINE_PRISTINE=${KV_WINE_PRISTINE:-$KV_ROOT/build/wine/pristine}
KV_SCREENS=${KV_SCREENS:-2}
export WINEDEBUG=${WINEDEBUG:--all}
# Wine maps Windows file names to the Unix ones through the C library's locale; with no locale
# at all (a bare root shell) only ASCII names survive, so programs get the UTF-8 one.
[ -n "${LANG:-}${LC_ALL:-}" ] || export LANG=C.UTF-8
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Without a sound card, Wine's audio drivers probe ALSA anyway and the ALSA library prints its
# failures ("ALSA lib ... Unknown PCM default") into the program's output, which reads like an
# error. With no card there is nothing to play on, so the drivers stay unloaded; programs see
# no audio device (the player then stays silent).
if ! compgen -G '/dev/snd/pcmC*' >/dev/null && [[ $WINEDLLOVERRIDES != *winealsa* ]]; then
    WINEDLLOVERRIDES+=";winealsa.drv,winepulse.drv,wineoss.drv="
fi
KV_WINE_BIN=/usr/lib/wine

kv_wine_native_arch() {
    # Some kernels here are built without 32-bit execution; the 32-bit loader then fails with
    # "Exec format error" and the 64-bit build must carry the Windows tests.
    if "$KV_WINE_BIN/wine" --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

kv_wine_loader() {
    if [ "$1" = win32 ]; then echo "$KV_WINE_BIN/wine"; else echo "$KV_WINE_BIN/wine64"; fi
}

kv__display_alive() {
    [ -n "$1" ] && [ -e "/tmp/.X11-unix/X${1#:}" ]
}

# kv__own_display DISPLAY PID: the display is up and served by the Xvfb of that process (its
# lock file holds the pid), not by another checkout's that took the same number.
kv__own_display() {
    [ -n "$2" ] && kv__display_alive "$1" &&
        [ "$(tr -d ' \n' <"/tmp/.X${1#:}-lock" 2>/dev/null)" = "$2" ]
}

kv__start_xvfb() {
    local state=$KV_SCREEN_DIR/xvfb.display pidfile=$KV_SCREEN_DIR/xvfb.pid
    if [ -f "$state" ] && kv__own_display "$(cat "$state")" "$(cat "$pidfile" 2>/dev/null)"; then
        export DISPLAY=$(cat "$state")
        return
    fi
    local n pid
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 7>&- 8>&- 9>&- &
        pid=$!
        echo $pid >"$pidfile"
        local i
        for i in $(seq 50); do
            kv__own_display ":$n" $pid && break
            kill -0 $pid 2>/dev/null || break # another checkout's Xvfb won this number
            sleep 0.1
        done
        if kv__own_display ":$n" $pid; then
            echo ":$n" >"$state"
            export DISPLAY=":$n"
            return
        fi
        kill $pid 2>/dev/null
        rm -f "$pidfile"
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

# kv__boot_prefix DIR: a new prefix made by wineboot, set up for the tests.
kv__boot_prefix() {
    local wine64=$KV_WINE_BIN/wine64
    echo "wine-env: creating Wine prefix $1" >&2
    rm -rf "$1"
    (
        export WINEPREFIX=$1
        "$wine64" wineboot -i >/dev/null 2>&1 7>&- 8>&- 9>&- || true
        "$wine64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        "$wine64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
        # No crash dialogs: a test that crashes must end, not wait for a click.
        "$wine64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        "$KV_WINE_BIN/wineserver" -w
    )
    # This Wine build does not pick up its own data fonts (Marlett draws the caption glyphs,
    # Tahoma the dialogs); fonts in the prefix's Fonts folder are always found.
    cp /usr/share/wine/fonts/*.ttf "$1/drive_c/windows/Fonts/" 2>/dev/null || true
    [ -f "$1/system.reg" ] || { echo "wine-env: wineboot failed" >&2; return 1; }
    touch "$1/.kv-ready"
}

# The prefix of this shell, copied from the pristine one (made first if need be). Its server
# has ended when the copy is taken, so the copy holds a whole registry.
kv__create_prefix() {
    mkdir -p "$(dirname "$KV_WINE_PRISTINE")"
    (
        flock 7
        [ -f "$KV_WINE_PRISTINE/.kv-ready" ] || kv__boot_prefix "$KV_WINE_PRISTINE"
    ) 7>"$KV_WINE_PRISTINE.lock" || return 1
    rm -rf "$WINEPREFIX" "$WINEPREFIX.new"
    mkdir -p "$(dirname "$WINEPREFIX")"
    cp -a "$KV_WINE_PRISTINE" "$WINEPREFIX.new" && mv "$WINEPREFIX.new" "$WINEPREFIX" ||
        { echo "wine-env: could not copy the Wine prefix to $WINEPREFIX" >&2; return 1; }
}

# Wine takes a process's ANSI code page from the C library's locale (LANG=zh_CN.UTF-8 gives
# 936, zh_TW.UTF-8 950), and the C library falls back to "C" (and Wine to 1252) when that
# locale is not installed, which on a minimal Debian is every locale. So a LANG the machine
# lacks is compiled once into the Wine folder from the i18n sources of the `locales` package
# and found through LOCPATH. Runs under the lock of kv_wine_prepare.
kv__have_locale() {
    local want=${1//-/}
    locale -a 2>/dev/null | tr -d '-' | grep -qix "$want"
}

kv__ensure_locale() {
    local name=${LANG:-}
    case "$name" in "" | C | C.* | POSIX) return 0 ;; esac
    kv__have_locale "$name" && return 0
    local dir=$KV_WINE_DIR/locale
    if [ ! -d "$dir/$name" ]; then
        local input=${name%%.*} charmap=UTF-8
        case "$name" in *.*) charmap=${name#*.} ;; esac
        mkdir -p "$dir"
        localedef -i "$input" -f "$charmap" "$dir/$name.tmp" >/dev/null 2>&1 &&
            mv "$dir/$name.tmp" "$dir/$name" ||
            { rm -rf "$dir/$name.tmp"; echo "wine-env: cannot build locale $name (package locales)" >&2; return 1; }
    fi
}

kv_wine_prepare() {
    mkdir -p "$KV_WINE_DIR"
    (
        flock 9
        # KV_XVFB=1 (screenshots) always uses the private Xvfb, never the user's display.
        if [ -n "${KV_XVFB:-}" ] || [ -z "${DISPLAY:-}" ] || ! kv__display_alive "${DISPLAY:-}"; then
            unset DISPLAY
        fi
        if [ -z "${DISPLAY:-}" ]; then kv__start_xvfb || exit 1; fi
        [ -f "$WINEPREFIX/.kv-ready" ] || kv__create_prefix || exit 1
        kv__ensure_locale || exit 1
    ) 9>"$KV_WINE_DIR/lock" || return 1
    if [ -n "${LANG:-}" ] && [ -d "$KV_WINE_DIR/locale/$LANG" ]; then
        export LOCPATH=$KV_WINE_DIR/locale
    fi
    if { [ -n "${KV_XVFB:-}" ] || [ -z "${DISPLAY:-}" ] || ! kv__display_alive "${DISPLAY:-}"; } &&
        [ -f "$KV_SCREEN_DIR/xvfb.display" ]; then
        export DISPLAY=$(cat "$KV_SCREEN_DIR/xvfb.display")
    fi
    # Keep one server alive between the many short test programs of a run.
    "$KV_WINE_BIN/wineserver" -p60 >/dev/null 2>&1 7>&- 8>&- 9>&- || true
}

kv_wine_take_screen() {
    mkdir -p "$KV_WINE_DIR"
    local n
    while :; do
        for n in $(seq "$KV_SCREENS"); do
            exec 8>"$KV_WINE_DIR/screen-$n.lock"
            if flock -n 8; then
                KV_SCREEN_DIR=$KV_WINE_DIR/screen-$n
                mkdir -p "$KV_SCREEN_DIR"
                export WINEPREFIX=$KV_SCREEN_DIR/prefix KV_XVFB=1
                return 0
            fi
            exec 8>&-
        done
        sleep 0.5
    done
}

# kv__stop_screen DIR PREFIX: the server of that prefix and the Xvfb recorded in DIR.
kv__stop_screen() {
    WINEPREFIX=$2 "$KV_WINE_BIN/wineserver" -k >/dev/null 2>&1 || true
    if [ -f "$1/xvfb.pid" ]; then
        kill "$(cat "$1/xvfb.pid")" 2>/dev/null || true
        rm -f "$1/xvfb.pid" "$1/xvfb.display"
    fi
}

kv_wine_stop_main() {
    kv__stop_screen "$KV_WINE_DIR" "$KV_MAIN_PREFIX"
}

kv_wine_stop() {
    kv_wine_stop_main
    local dir
    for dir in "$KV_WINE_DIR"/screen-*/; do
        [ -d "$dir" ] && kv__stop_screen "${dir%/}" "${dir}prefix"
    done
}
