#!/usr/bin/env bash
# Answers in dfu-util's place, so that the upgrade tool runs without hardware.
#
# As the program runs it (its command table, rewritten in simulator mode):
#   dfu-util_simulator.sh --dfu-util-command WORD [--fast-progress] DFU-UTIL-ARGUMENTS...
#     WORD: version, list, upload_OTP, upload_FW, download_FW, setup_prepared_config
# From a terminal, while the program runs:
#   dfu-util_simulator.sh setup_prepared_config NAME    load a prepared configuration
#   dfu-util_simulator.sh configs                       list the prepared configurations
#   dfu-util_simulator.sh unplug | plug                 pull the simulated cable / put it back;
#                                                       a transfer then running fails as dfu-util's does
#   dfu-util_simulator.sh status                        show the simulated units
#
# Set VELMORA_SIM_FAST=1 for transfers without the realistic delays.
# The simulated units live in $VELMORA_SIM_DIR (default: a directory of your own under
# $XDG_RUNTIME_DIR or /tmp); nothing is written outside it but the file named after -U.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Installed, what the script needs lies beside it; in the source tree, in tools/ and software/.
if [ -f "$here/make_firmware.py" ]; then
    tools=${VELMORA_TOOLS_DIR:-$here}
    banner_file=${VELMORA_BANNER_FILE:-$here/dfu_util_banner}
else
    tools=${VELMORA_TOOLS_DIR:-$here/../tools}
    banner_file=${VELMORA_BANNER_FILE:-$here/../software/dfu/dfu_util_banner.txt}
fi
state=${VELMORA_SIM_DIR:-${XDG_RUNTIME_DIR:-/tmp}/velmora-simulator-$(id -un)}
python=${VELMORA_PYTHON:-python3}

readonly flash_base=$((0x08000000)) flash_size=1048576
readonly otp_base=$((0x1FFF7800)) otp_size=512 otp_lock_size=16
readonly default_config=older_revision
configs=(no_unit older_revision current differing_flash differs_beyond_image other_product
         blank_otp unknown_product two_units three_interfaces otp_upload_fails info_upload_fails download_fails
         not_answering)

# VELMORA_SIM_FAST=1 makes every transfer fast, also when the program does not ask for it.
fast=${VELMORA_SIM_FAST:-0}

# Standard error carries what dfu-util would print there and nothing else: the program logs it
# as dfu-util's own words. The tools used below keep theirs (a reader's "Broken pipe" when the
# program ignores SIGPIPE, which its children inherit) to themselves; the script's own lines
# go to descriptor 3.
exec 3>&2 2>/dev/null
# Called in dfu-util's place, a usage fault is put as dfu-util puts its own (exit 64).
die_usage() { echo "${usage_prefix:-dfu-util_simulator.sh}: $*" >&3; exit 64; }
dfu_error() { echo "dfu-util: $1" >&3; exit "${2:-74}"; }
now_ms() { date +%s%3N; }
banner() { cat "$banner_file"; }
pause() { [ "$fast" = 1 ] || sleep "$1"; }

erased() { head -c "$1" /dev/zero | tr '\000' '\377'; }

# ---- Prepared configurations --------------------------------------------------------------

image() { # image OUT [make_firmware.py image options]
    local out=$1; shift
    "$python" "$tools/make_firmware.py" image --bin "$out" "$@" || die_usage "cannot make a firmware image"
}

add_unit() { # add_unit SERIAL OTP(type code|blank) [IMAGE-OPTIONS...]; no options: the embedded image
    local serial=$1 otp=$2; shift 2
    local dir=$units_dir/$serial
    mkdir -p "$dir"
    if [ "$otp" = blank ]; then
        "$python" "$tools/make_firmware.py" otp --blank --out "$dir/otp.bin"
    else
        "$python" "$tools/make_firmware.py" otp --type "$otp" --out "$dir/otp.bin"
    fi
    erased "$otp_lock_size" >> "$dir/otp.bin"
    erased "$flash_size" > "$dir/flash.bin"
    image "$dir/image.bin" "$@"
    dd if="$dir/image.bin" of="$dir/flash.bin" conv=notrunc status=none
    rm -f "$dir/image.bin"
    echo 4 > "$dir/alts"
    echo none > "$dir/fault"
}

# Every prepared unit has a serial of its own, as real units have: switching configurations
# while the program runs must look like another unit being plugged in.
serial_of() {
    case $1 in
        older_revision) echo 305F38713437 ;;
        current) echo 305F38713501 ;;
        differing_flash) echo 305F38713502 ;;
        differs_beyond_image) echo 305F38713503 ;;
        other_product) echo 305F38713504 ;;
        blank_otp) echo 305F38713505 ;;
        unknown_product) echo 305F38713506 ;;
        two_units) echo 305F38713507 ;;
        three_interfaces) echo 305F38713508 ;;
        otp_upload_fails) echo 305F38713509 ;;
        info_upload_fails) echo 305F3871350C ;;
        download_fails) echo 305F3871350A ;;
        not_answering) echo 305F3871350B ;;
        *) echo 305F38713500 ;;
    esac
}

# The state folder is this user's alone: never one that another user made or points elsewhere.
make_state_dir() {
    if [ -L "$state" ]; then die_usage "refusing the state folder $state: it is a symbolic link"; fi
    if [ ! -e "$state" ]; then
        (umask 077 && mkdir -p "$state") || die_usage "cannot create the state folder $state"
    fi
    [ -d "$state" ] || die_usage "refusing the state folder $state: not a folder"
    [ -O "$state" ] || die_usage "refusing the state folder $state: it belongs to another user"
    chmod 700 "$state" 2>/dev/null || die_usage "cannot protect the state folder $state"
}

setup_config() {
    local name=$1
    case " ${configs[*]} " in *" $name "*) ;; *) die_usage "unknown configuration '$name' (try: configs)";; esac
    make_state_dir
    # The units are made aside and put in place in one step: a scan that runs meanwhile sees
    # the old units or the new ones, never a unit half made.
    local units_dir=$state/units.new
    rm -rf "$units_dir"
    mkdir -p "$units_dir"
    local quel=0x1e serial
    serial=$(serial_of "$name")
    case $name in
        no_unit) ;;
        older_revision) add_unit $serial $quel --rev C7 --seed 7 ;;
        current) add_unit $serial $quel ;;
        differing_flash) add_unit $serial $quel --flip 100000 ;;
        differs_beyond_image)
            add_unit $serial $quel
            # Old data after the end of the image: not part of the firmware, never compared.
            printf '\x5a\x5a\x5a\x5a' | dd of="$units_dir/$serial/flash.bin" bs=1 seek=800000 conv=notrunc status=none ;;
        other_product) add_unit $serial 0x04 --type 0x04 --name Korvid --rev B3 --seed 4 ;;
        blank_otp) add_unit $serial blank --rev C7 --seed 7 ;;
        unknown_product) add_unit $serial 0x05 --type 0x05 --name Proto --rev A1 --seed 5 ;;
        two_units) add_unit $serial $quel --rev C7 --seed 7; add_unit 3472385A3036 $quel --rev C7 --seed 7 ;;
        three_interfaces) add_unit $serial $quel --rev C7 --seed 7; echo 3 > "$units_dir/$serial/alts" ;;
        otp_upload_fails) add_unit $serial $quel --rev C7 --seed 7; echo otp_upload > "$units_dir/$serial/fault" ;;
        info_upload_fails) add_unit $serial $quel --rev C7 --seed 7; echo info_upload > "$units_dir/$serial/fault" ;;
        download_fails) add_unit $serial $quel --rev C7 --seed 7; echo download > "$units_dir/$serial/fault" ;;
        not_answering) add_unit $serial $quel --rev C7 --seed 7; echo hang > "$units_dir/$serial/fault" ;;
    esac
    echo "$name" > "$state/config"
    rm -rf "$state/units.old" "$state/unplugged" "$state/back_at"
    if [ -d "$state/units" ]; then mv "$state/units" "$state/units.old"; fi
    mv "$units_dir" "$state/units"
    rm -rf "$state/units.old"
}

ensure_state() {
    make_state_dir
    [ -f "$state/config" ] || setup_config "$default_config"
}

# The units that a scan sees now: none while a unit restarts after a download.
present_units() {
    if [ -f "$state/back_at" ]; then
        if [ "$(now_ms)" -lt "$(cat "$state/back_at")" ]; then return; fi
        rm -f "$state/back_at"
    fi
    [ -d "$state/units" ] || return
    local dir
    for dir in "$state"/units/*/; do
        [ -d "$dir" ] && basename "$dir"
    done
}

the_unit() { # the one unit a transfer talks to (the one of serial $wanted when set), or dfu-util's errors
    local units
    if [ -n "${wanted:-}" ]; then
        mapfile -t units < <(present_units | grep -x -F -- "$wanted")
    else
        mapfile -t units < <(present_units)
    fi
    [ "${#units[@]}" -eq 0 ] && dfu_error "No DFU capable USB device available"
    [ "${#units[@]}" -gt 1 ] && dfu_error "More than one DFU capable USB device found! Try \`--list' and specify the serial number or disconnect all but one device"
    unit=$state/units/${units[0]}
}

# ---- dfu-util's commands --------------------------------------------------------------------

alt_name() {
    case $1 in
        0) echo "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg" ;;
        1) echo "@Option Bytes  /0x1FFFC000/01*016 e" ;;
        2) echo "@OTP Memory /0x1FFF7800/01*512 e,01*016 e" ;;
        3) echo "@Device Feature/0xFFFF0000/01*004 e" ;;
    esac
}

cmd_list() {
    banner
    local serial devnum=5 alts alt
    while read -r serial; do
        [ -n "$serial" ] || continue
        alts=$(cat "$state/units/$serial/alts")
        for ((alt = alts - 1; alt >= 0; alt--)); do
            printf 'Found DFU: [0483:df11] ver=2200, devnum=%u, cfg=1, intf=0, path="1-%u", alt=%u, name="%s", serial="%s"\n' \
                "$devnum" "$devnum" "$alt" "$(alt_name "$alt")" "$serial"
        done
        devnum=$((devnum + 1))
    done < <(present_units | sort -r)
    return 0
}

opening() { # opening ALT
    echo "Opening DFU capable USB device..."
    echo "Device ID 0483:df11"
    echo "Device DFU version 011a"
    echo "Claiming USB DFU Interface..."
    echo "Setting Alternate Interface #$1 ..."
    echo "Determining device status..."
    echo "DFU state(2) = dfuIDLE, status(0) = No error condition is present"
    echo "DFU mode device DFU version 011a"
    echo "Device returned transfer size 2048"
}

# dfu-util's own progress line, redrawn with a carriage return each time its 25-character bar
# grows by one: after each 2048-byte block that moves it, starting with an empty bar.
# The blocks are moved as the bar grows (through the function named by $copy, if any), and a
# unit that is unplugged meanwhile ends the transfer as it ends dfu-util: what was moved stays.
progress() { # progress LABEL BYTES SECONDS [BYTES-BEFORE-A-FAULT]
    local label=$1 total=$2 seconds=$3 upto=${4:-$2} done=0 copied=0 bar=0 now step
    step=$(awk -v s="$seconds" 'BEGIN { printf "%.3f", s / 25 }')
    progress_line "$label" 0 0 "$total"
    while [ "$done" -lt "$upto" ]; do
        done=$((done + 2048 < total ? done + 2048 : total))
        now=$((done * 25 / total))
        if [ "$now" -ne "$bar" ] || [ "$done" -ge "$upto" ]; then
            [ "$now" -eq "$bar" ] || pause "$step"
            [ -d "$unit" ] || dfu_error "$lost_unit"
            [ -z "${copy:-}" ] || "$copy" "$copied" "$done"
            copied=$done
        fi
        if [ "$now" -ne "$bar" ]; then
            bar=$now
            progress_line "$label" "$bar" "$done" "$total"
        fi
    done
    [ "$upto" -lt "$total" ] || printf '\n'
}

# Bytes FROM to TO of a transfer, at the same offsets on both sides but for $skew on the read side.
copy_bytes() { # copy_bytes FROM-FILE TO-FILE FROM TO
    dd if="$1" of="$2" bs=65536 iflag=skip_bytes,count_bytes oflag=seek_bytes conv=notrunc status=none \
        skip=$(($3 + ${skew:-0})) seek="$3" count=$(($4 - $3))
}
copy_to_flash() { copy_bytes "$file" "$unit/flash.bin" "$@"; }
copy_to_file() { copy_bytes "$memory" "$file" "$@"; }

progress_line() { # LABEL BAR BYTES TOTAL
    local filled
    filled=$(printf '%*s' "$2" '' | tr ' ' '=')
    printf '\r%s\t[%-25s] %3d%% %12d bytes' "$1" "$filled" $(($3 * 100 / $4)) "$3"
}

# Sets alt, range and file from dfu-util's options; FILE-OPTION is -U or -D.
transfer_arguments() { # FILE-OPTION ARGUMENTS...
    local file_option=$1; shift
    alt="" range="" file="" wanted=""
    while [ "$#" -gt 0 ]; do
        case $1 in
            -d | -a | -s | -S | "$file_option") [ "$#" -ge 2 ] || die_usage "option '$1' needs a value" ;;
            *) die_usage "unexpected argument '$1'" ;;
        esac
        case $1 in
            -d) ;;
            -a) alt=$2 ;;
            -s) range=$2 ;;
            -S) wanted=$2 ;;
            *) file=$2 ;;
        esac
        shift 2
    done
}

cmd_upload() { # -a ALT -s ADDR:LEN -U FILE
    local alt range file wanted
    transfer_arguments -U "$@"
    [[ $alt =~ ^[0-3]$ ]] || die_usage "-a needs an alternate setting 0 to 3"
    [[ $range =~ ^(0x[0-9A-Fa-f]+):([0-9]+)$ ]] || die_usage "-s needs ADDRESS:LENGTH"
    local address=$((BASH_REMATCH[1])) length=${BASH_REMATCH[2]}
    [ -n "$file" ] || die_usage "-U needs a file name"

    banner
    the_unit
    [ -e "$file" ] && dfu_error "Cannot open file $file for writing: File exists" 73
    local memory base size
    case $alt in
        0) memory=$unit/flash.bin base=$flash_base size=$flash_size ;;
        2) memory=$unit/otp.bin base=$otp_base size=$((otp_size + otp_lock_size)) ;;
        *) dfu_error "Segment for address 0x$(printf %08X "$address") not found or not readable" 64 ;;
    esac
    if [ "$address" -lt "$base" ] || [ $((address + length)) -gt $((base + size)) ]; then
        dfu_error "Last page at 0x$(printf %08X $((address + length - 1))) is not readable" 64
    fi
    : > "$file"
    opening "$alt"
    # A unit that stops answering: dfu-util waits for it, printing nothing.
    if [ "$alt" = 2 ] && [ "$(cat "$unit/fault")" = hang ]; then sleep 45; fi
    # The firmware information is the one short read of the flash.
    if { [ "$alt" = 2 ] && [ "$(cat "$unit/fault")" = otp_upload ]; } \
        || { [ "$alt" = 0 ] && [ "$length" -le 2048 ] && [ "$(cat "$unit/fault")" = info_upload ]; }; then
        : > "$file"
        dfu_error "dfuse_upload: libusb_control_transfer returned -9 (LIBUSB_ERROR_PIPE)"
    fi
    local copy=copy_to_file skew=$((address - base))
    local lost_unit="dfuse_upload: libusb_control_transfer returned -4 (LIBUSB_ERROR_NO_DEVICE)"
    progress "Upload" "$length" "$([ "$length" -gt 4096 ] && echo 2 || echo 0)"
    echo "Upload done."
}

cmd_download() { # -a 0 -s 0x08000000:leave -D FILE
    local alt range file wanted
    transfer_arguments -D "$@"
    [ "$alt" = 0 ] || die_usage "downloads go to alternate setting 0"
    [ "$range" = "0x08000000:leave" ] || die_usage "-s must be 0x08000000:leave"
    [ -n "$file" ] || die_usage "-D needs a file name"
    [ -r "$file" ] || dfu_error "Cannot open file $file for reading: No such file or directory" 66

    banner
    the_unit
    local length
    length=$(stat -c %s "$file")
    [ "$length" -gt 0 ] || dfu_error "File $file is empty" 64
    [ "$length" -le "$flash_size" ] || dfu_error "Last page at 0x$(printf %08X $((flash_base + length - 1))) is not writeable" 64
    echo "dfu-util: Warning: Invalid DFU suffix signature" >&3
    echo "dfu-util: A valid DFU suffix will be required in a future dfu-util release" >&3
    opening 0
    echo "DfuSe interface name: \"Internal Flash  \""
    echo "Downloading element to address = 0x08000000, size = $length"

    # The sectors the image touches are erased first, as the bootloader does.
    local erase_end=$((length <= 65536 ? 65536 : length <= 131072 ? 131072 : ((length - 131072 + 131071) / 131072) * 131072 + 131072))
    erased "$erase_end" | dd of="$unit/flash.bin" conv=notrunc status=none
    local copy="" lost_unit="dfuse_download: libusb_control_transfer returned -4 (LIBUSB_ERROR_NO_DEVICE)"
    progress "Erase   " "$length" 4
    echo "Erase    done."

    copy=copy_to_flash
    if [ "$(cat "$unit/fault")" = download ]; then
        progress "Download" "$length" 16 $(((length / 2 / 2048) * 2048))
        dfu_error "Failed to write whole chunk: 2048 of 2048 bytes, status 0x08 (errWRITE)"
    fi
    progress "Download" "$length" 16
    echo "Download done."
    echo "File downloaded successfully"
    echo "Submitting leave request..."
    echo "Transitioning to dfuMANIFEST state"
    # The unit starts its firmware and is back in DFU mode when the user restarts it so.
    echo $(($(now_ms) + (fast ? 400 : 4000))) > "$state/back_at"
}

cmd_status() {
    echo "state directory: $state"
    echo "configuration:   $(cat "$state/config" 2>/dev/null || echo none)"
    [ -d "$state/unplugged" ] && echo "cable:           unplugged"
    [ -f "$state/back_at" ] && echo "restarting:      back in DFU mode at $(cat "$state/back_at") ms"
    local dir
    for dir in "$state"/units/*/ "$state"/unplugged/*/; do
        [ -d "$dir" ] || continue
        echo "unit $(basename "$dir"): $(cat "$dir/alts") interfaces, fault: $(cat "$dir/fault")"
    done
}

# ---- Command line ---------------------------------------------------------------------------

word=""
if [ "${1:-}" = "--dfu-util-command" ]; then
    [ "$#" -ge 2 ] || die_usage "--dfu-util-command needs a word"
    word=$2; shift 2
    usage_prefix=dfu-util
    if [ "${1:-}" = "--fast-progress" ]; then fast=1; shift; fi
else
    word=${1:-}; [ "$#" -gt 0 ] && shift
    if [ "${1:-}" = "--fast-progress" ]; then fast=1; shift; fi
fi

case $word in
    version)
        [ "$*" = "-V" ] || die_usage "version expects -V"
        banner ;;
    list)
        [ "$*" = "-d 0483 -l" ] || die_usage "list expects -d 0483 -l"
        ensure_state; cmd_list ;;
    upload_OTP | upload_FW)
        ensure_state; cmd_upload "$@" ;;
    download_FW)
        ensure_state; cmd_download "$@" ;;
    setup_prepared_config)
        [ "$#" -eq 1 ] || die_usage "setup_prepared_config needs one configuration name"
        setup_config "$1" ;;
    configs)
        printf '%s\n' "${configs[@]}" ;;
    unplug)
        ensure_state
        [ -d "$state/units" ] && mv "$state/units" "$state/unplugged"; true ;;
    plug)
        ensure_state
        [ -d "$state/unplugged" ] && { rm -rf "$state/units"; mv "$state/unplugged" "$state/units"; }; true ;;
    status)
        ensure_state; cmd_status ;;
    "")
        die_usage "no command word (see the head of this script)" ;;
    *)
        die_usage "unknown command word '$word'" ;;
esac
