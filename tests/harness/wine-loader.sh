# Sourced by every script that starts Wine: Wine's loaders as this machine can run them.
# Debian's `wine` starts Wine's 32-bit loader, which starts nothing on a kernel whose 32-bit
# emulation is off (Linux's ia32_emulation, off by default on some kernels: "Exec format error").
# There the 64-bit loader runs the 64-bit programs by itself, and no 32-bit Windows program can
# run at all: a test that needs one exits with PRISMEL_SKIP, which CTest reports as skipped.
prismel_loader_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
PRISMEL_SKIP=77
if [ -z "${PRISMEL_WINE32:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then PRISMEL_WINE32=yes; else PRISMEL_WINE32=no; fi
    export PRISMEL_WINE32
fi
if [ "$PRISMEL_WINE32" = no ]; then
    export WINELOADER=/usr/lib/wine/wine64
    case ":$PATH:" in
    *":$prismel_loader_dir/wine64-only:"*) ;;
    *) export PATH="$prismel_loader_dir/wine64-only:$PATH" ;;
    esac
fi

# True when the Windows program $1 is a 32-bit one (its PE header names an i386 machine).
prismel_is_32bit_program() {
    local offset machine
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
    machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    [ "$machine" = 014c ]
}

# Exits with PRISMEL_SKIP, saying why, when this machine cannot run the 32-bit program $1.
prismel_skip_unrunnable() {
    if [ "$PRISMEL_WINE32" = no ] && prismel_is_32bit_program "$1"; then
        echo "SKIPPED: $(basename "$1") is a 32-bit Windows program, and this machine's kernel" \
            "runs no 32-bit programs (its ia32 emulation is off), so Wine cannot run it here."
        exit "$PRISMEL_SKIP"
    fi
}
