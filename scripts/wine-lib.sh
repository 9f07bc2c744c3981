# What the scripts that run Windows programs under Wine share; sourced, POSIX sh. Needs $root (the checkout).
#
#   wine_env DIR             the Wine environment of the session folder DIR (see scripts/wine-session)
#   wine_loader EXE          prints the Wine loader of EXE's kind, read from its PE header
#   wine_session DIR         starts DIR's session, stopped when the script exits however it ends
#   wait_window PATTERN PID  prints the id of a visible, painted window whose title matches PATTERN
#   demo_prefix BUILD DIR    DIR's prefix with two stand-in copies and the launcher's settings for them
#   running PID, wait_for SECONDS COMMAND...   process and deadline helpers

WINE32=/usr/lib/wine/wine
WINE64=/usr/lib/wine/wine64

# The session's prefix (never ~/.wine), no debug output, no .NET or HTML engine to install, and the
# session's display while it is started, otherwise none.
wine_env() {
    export WINEPREFIX="$1/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -s "$1/display" ]; then
        DISPLAY=$(cat "$1/display")
        export DISPLAY
    else
        unset DISPLAY
    fi
}

# The Machine field of the PE header (e_lfanew at offset 60, then "PE\0\0" and the field): 014c is i386,
# 8664 x86-64. Each runs under the loader of its own kind: where 32-bit Wine is missing, the 64-bit
# loader starts a PE32 in an experimental WoW64 mode that fails to load and still exits with 0.
wine_loader() {
    pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    case $(od -An -tx2 -j$((pe + 4)) -N2 "$1" 2>/dev/null | tr -d ' ') in
        014c) loader=$WINE32 ;;
        8664) loader=$WINE64 ;;
        *) echo "${0##*/}: $1 is neither a PE32 for i386 nor a PE32+ for x86-64" >&2; return 1 ;;
    esac
    [ -x "$loader" ] || { echo "${0##*/}: $loader is missing (scripts/bootstrap installs it)" >&2; return 1; }
    echo "$loader"
}

wine_session() {
    wine_session_dir=$1
    trap '"$root/scripts/wine-session" stop "$wine_session_dir"' EXIT
    trap 'exit 130' INT TERM
    "$root/scripts/wine-session" start "$1"
    wine_env "$1"
}

# Whether process PID is there and has not ended: a child that ended and is not yet waited for
# still answers kill -0, as a zombie (state Z, the field after the parenthesised command name).
running() {
    state=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    set -- ${state##*) }
    [ "$1" != Z ]
}

# Runs COMMAND every tenth of a second until it succeeds; fails once SECONDS have passed.
wait_for() {
    wait_end=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$wait_end" ] || return 1
        sleep 0.1
    done
}

# Shown is not yet painted: the window counts once it is visible and two pictures of it a tenth of a
# second apart are the same and hold more than one colour. Fails after 60 s, or at once when PID ends.
wait_window() {
    window='' window_seen=''
    wait_for 60 window_painted "$1" "$2" && [ -n "$window" ] && echo "$window" && return 0
    echo "${0##*/}: no painted window titled $1$(running "$2" || echo ": its program ended")" >&2
    return 1
}
window_painted() {
    running "$2" || { window=; return 0; }
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$window" ] || return 1
    picture=$(xwd -silent -id "$window" 2>/dev/null | cksum)
    [ "$picture" = "$window_seen" ] &&
        [ "$(import -silent -window "$window" -format %k info:- 2>/dev/null)" -gt 1 ] && return 0
    window_seen=$picture
    return 1
}

# The demo: DIR's prefix (made once) with two copies of BUILD's stand-in for the managed program, at
# C:\SUA1 and C:\SUA2, and settings naming them as the launcher itself writes them: code page 1252,
# CRLF. A settings file already there holds the user's own changes and is left alone.
demo_prefix() {
    "$root/scripts/wine-session" prefix "$2"
    for folder in SUA1 SUA2; do
        copy=$2/prefix/drive_c/$folder/SuaWin.exe
        mkdir -p "${copy%/*}"
        # Replaced only when it changed, and never rewritten in place under a running copy.
        cmp -s "$1/tests/e2e/SuaWin.exe" "$copy" || { cp "$1/tests/e2e/SuaWin.exe" "$copy.new" && mv "$copy.new" "$copy"; }
    done
    settings=$2/prefix/drive_c/windows/Corvanta.ini
    [ -e "$settings" ] && return 0
    enye=$(printf '\361')    # n with tilde in code page 1252
    printf '%s\r\n' \
        '[RUTAS]' 'Copia_01=C:\SUA1\SuaWin.exe' 'Copia_02=C:\SUA2\SuaWin.exe' 'Copia_03=' 'Copia_04=' \
        '' \
        '[DESCRIPCIONES]' "Copia_01=Oficina matriz (a${enye}o en curso)" \
        "Copia_02=Sucursal Norte (a${enye}o anterior)" 'Copia_03=' 'Copia_04=' >"$settings"
}
