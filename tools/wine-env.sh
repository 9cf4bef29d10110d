# Sourced by the build, run and test scripts: which Windows architecture this machine can run
# under Wine, and where that Wine and its prefixes live.
#
# Some kernels (virtual machines among them) cannot execute 32-bit x86 code at all; Wine then
# cannot run the shipped i686 program. The same sources are then built for x86_64 and run with
# 64-bit Wine, while the i686 image is still built and checked.

if [ -z "${VELMORA_ARCH:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        VELMORA_ARCH=i686
    else
        VELMORA_ARCH=x86_64
    fi
fi
export VELMORA_ARCH

VELMORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export VELMORA_ROOT
export VELMORA_BUILD="${VELMORA_BUILD:-$VELMORA_ROOT/build}"

if [ "$VELMORA_ARCH" = i686 ]; then
    export WINE=/usr/lib/wine/wine WINEARCH=win32
else
    export WINE=/usr/lib/wine/wine64 WINEARCH=win64
fi
export WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG="${WINEDEBUG:--all}"
# Keep Wine from asking to install its HTML engine or Mono: tests must never wait on a dialog.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=}"

# Creates (once per build tree) a ready prefix with the fonts the Chinese texts need; copying it
# is much cheaper than booting a new one.
velmora_template_prefix() {
    local template="$VELMORA_BUILD/$VELMORA_ARCH/wineprefix-template"
    if [ ! -f "$template/.velmora-ready" ]; then
        rm -rf "$template"
        WINEPREFIX="$template" "$WINE" wineboot -i >/dev/null 2>&1
        local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
        for face in "MS Shell Dlg" "MS Shell Dlg 2" "宋体" "SimSun"; do
            WINEPREFIX="$template" "$WINE" reg add "$key" /v "$face" /t REG_SZ \
                /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
        done
        # No window manager runs in the virtual display: windows that Wine leaves to a window
        # manager wait two seconds for one whenever they are hidden or destroyed, and are not
        # moved by caption drags. Wine positions unmanaged windows itself.
        WINEPREFIX="$template" "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed \
            /t REG_SZ /d N /f >/dev/null 2>&1
        WINEPREFIX="$template" "$WINESERVER" -w
        touch "$template/.velmora-ready"
    fi
    echo "$template"
}

# A fresh prefix at $1, copied from the template.
velmora_fresh_prefix() {
    local template
    template="$(velmora_template_prefix)"
    rm -rf "$1"
    cp -a "$template" "$1"
}
