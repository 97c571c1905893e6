#!/bin/bash
# Checks a built Windows binary's shape with objdump: size, imported DLLs, exports, sections.
#   check-binary.sh OBJDUMP FILE [--max-bytes N] [--imports-within "A.DLL B.DLL"]
#                   [--system-imports-only [--beside "A.DLL ..."]] [--export ORDINAL:NAME]...
#                   [--shared-section NAME:BYTES]
#                   [--no-section NAME]... [--windowed]
set -u
objdump=$1 file=$2
shift 2
failures=0
fail() { echo "FAIL: $(basename "$file"): $*"; failures=$((failures + 1)); }

[ -f "$file" ] || { echo "FAIL: $file is missing"; exit 1; }
dump=$("$objdump" -p "$file")
headers=$("$objdump" -h "$file")
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr 'a-z' 'A-Z' | sort -u)
echo "$(basename "$file"): $(stat -c %s "$file") bytes; imports: $(echo $imports)"

while [ $# -gt 0 ]; do
    case $1 in
    --max-bytes)
        size=$(stat -c %s "$file")
        [ "$size" -le "$2" ] || fail "$size bytes, more than $2"
        shift 2 ;;
    --imports-within)
        for dll in $imports; do
            grep -qw -- "$dll" <<<"${2^^}" || fail "imports $dll"
        done
        shift 2 ;;
    --system-imports-only)
        # Every import is a DLL that each Windows carries in its system folder, or one named
        # with --beside that is installed next to the binary. A MinGW runtime DLL, a Visual C++
        # runtime or any other library a clean Windows lacks fails.
        beside=""
        if [ "${2:-}" = --beside ]; then beside=${3^^}; shift 2; fi
        for dll in $imports; do
            case $dll in
            KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL|SHELL32.DLL|COMCTL32.DLL|COMDLG32.DLL|\
            OLE32.DLL|OLEAUT32.DLL|SHLWAPI.DLL|VERSION.DLL|MSVCRT.DLL|WINMM.DLL|UXTHEME.DLL|\
            IMM32.DLL|API-MS-WIN-*) ;;
            *) grep -qw -- "$dll" <<<"$beside" || fail "imports $dll, which a clean Windows lacks" ;;
            esac
        done
        shift ;;
    --export)
        ordinal=${2%%:*} name=${2#*:}
        base=$(sed -n 's/.*Ordinal Base \([0-9]*\).*/\1/p' <<<"$dump")
        index=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
            sed -n "s/^[[:space:]]*\[ *\([0-9]*\)\] $name\$/\1/p")
        if [ -z "$index" ]; then fail "does not export $name by name"
        elif [ $((base + index)) -ne "$ordinal" ]; then fail "exports $name as ordinal $((base + index)), not $ordinal"
        fi
        shift 2 ;;
    --shared-section)
        section=${2%%:*} bytes=${2#*:}
        line=$(grep -A1 -E "^ *[0-9]+ $section " <<<"$headers")
        [ -n "$line" ] || fail "has no section $section"
        size=$(awk 'NR==1 {print $3}' <<<"$line")
        [ -n "$line" ] && [ $((16#$size)) -ne "$bytes" ] && fail "section $section holds $((16#$size)) bytes, not $bytes"
        grep -q SHARED <<<"$line" || fail "section $section is not shared"
        shift 2 ;;
    --no-section)
        grep -qE "^ *[0-9]+ $2 " <<<"$headers" && fail "has a section $2"
        shift 2 ;;
    --windowed) # the Windows GUI subsystem: no console opens
        grep -qE '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || fail "is not a windowed program"
        shift ;;
    *) echo "unknown option $1"; exit 2 ;;
    esac
done
[ "$failures" -eq 0 ] && echo "OK"
[ "$failures" -eq 0 ]
