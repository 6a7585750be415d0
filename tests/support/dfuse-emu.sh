#!/usr/bin/env bash
# Creates and handles the units of the emulated DfuSe bootloader (tests/support/dfuse_emulator.cpp).
#   dfuse-emu.sh create SERIAL [--otp CODE | --blank] [make_firmware.py image options...]
#   dfuse-emu.sh set SERIAL KEY=VALUE...     e.g. vanish_on=write vanish_after=100
#   dfuse-emu.sh unplug SERIAL | plug SERIAL | remove SERIAL
#   dfuse-emu.sh status
#   dfuse-emu.sh run DFU-UTIL [ARGUMENTS...]  run a dfu-util against the emulated units
# The units live in $VELMORA_EMU_DIR (default /tmp/velmora-emulator).
set -eu
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
state=${VELMORA_EMU_DIR:-/tmp/velmora-emulator}
tools=$here/../../tools
python=${VELMORA_PYTHON:-python3}

usage() { sed -n '2,9p' "$0" >&2; exit 64; }
unit() { [[ ${1:-} =~ ^[0-9A-Fa-f]+$ ]] || { echo "dfuse-emu.sh: serial must be hex digits" >&2; exit 64; }; echo "$state/units/$1"; }
erased() { head -c "$1" /dev/zero | tr '\000' '\377'; }

case ${1:-} in
    create)
        dir=$(unit "${2:-}"); shift 2
        otp=(--type 0x1e)
        case ${1:-} in
            --otp) otp=(--type "$2"); shift 2 ;;
            --blank) otp=(--blank); shift ;;
        esac
        rm -rf "$dir"; mkdir -p "$dir"
        "$python" "$tools/make_firmware.py" otp "${otp[@]}" --out "$dir/otp.bin"
        erased 16 >> "$dir/otp.bin"
        erased 16 > "$dir/option.bin"
        erased 4 > "$dir/feature.bin"
        erased 1048576 > "$dir/flash.bin"
        "$python" "$tools/make_firmware.py" image --bin "$dir/image.bin" "$@"
        dd if="$dir/image.bin" of="$dir/flash.bin" conv=notrunc status=none
        rm -f "$dir/image.bin"
        : > "$dir/settings" ;;
    set)
        dir=$(unit "${2:-}"); shift 2
        for pair in "$@"; do
            [[ $pair =~ ^[a-z_0-9]+=[A-Za-z0-9_]+$ ]] || usage
            key=${pair%%=*}
            { grep -v "^$key=" "$dir/settings" || true; echo "$pair"; } > "$dir/settings.new"
            mv "$dir/settings.new" "$dir/settings"
        done ;;
    unplug) dir=$(unit "${2:-}"); echo unplugged > "$dir/unplugged" ;;
    plug) dir=$(unit "${2:-}"); rm -f "$dir/unplugged" "$dir/back_at" ;;
    remove) dir=$(unit "${2:-}"); rm -rf "$dir" ;;
    status)
        for dir in "$state"/units/*/; do
            [ -d "$dir" ] || continue
            printf '%s: %s %s\n' "$(basename "$dir")" \
                "$([ -f "$dir/unplugged" ] && echo unplugged || echo plugged)" "$(tr '\n' ' ' < "$dir/settings")"
        done ;;
    run)
        shift
        LD_PRELOAD=$here/../../build/tests/libdfuse_emulator.so${LD_PRELOAD:+:$LD_PRELOAD} "$@" ;;
    *) usage ;;
esac
