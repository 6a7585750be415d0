#!/usr/bin/env bash
# Builds the Debian package from a finished build tree, checks it as Debian's own tools do,
# unpacks it into a scratch root (not into this machine) and runs the program installed there
# in simulator mode under its own X server, until it offers the upgrade.
#   package_test.sh BUILD-DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
xvfb=""
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "0 passed, 1 failed"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" > "$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/*.deb)

listing=$(dpkg-deb -c "$deb")
for file in usr/bin/velmora-fw-upgrade usr/lib/udev/rules.d/60-velmora-fw-upgrade.rules \
            usr/share/applications/velmora-fw-upgrade.desktop \
            usr/share/icons/hicolor/scalable/apps/velmora-fw-upgrade.svg \
            usr/share/icons/hicolor/48x48/apps/velmora-fw-upgrade.png \
            usr/share/metainfo/com.velmora.fw_upgrade.metainfo.xml \
            usr/share/man/man1/velmora-fw-upgrade.1.gz \
            usr/share/velmora-fw-upgrade/dfu-util_simulator.sh usr/share/doc/velmora-fw-upgrade/copyright; do
    grep -q " \./$file\$" <<< "$listing" || fail "the package lacks $file"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt5widgets5' || fail "no dependency computed from the binary"
dpkg-deb -f "$deb" Depends | grep -q 'qttranslations5-l10n' || fail "no dependency on Qt's own translations"
dpkg-deb -I "$deb" postinst | grep -q 'udevadm control --reload-rules' || fail "postinst does not reload the udev rules"

lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian reports errors"; }
dpkg -x "$deb" "$work/root"
root=$work/root
desktop-file-validate "$root/usr/share/applications/velmora-fw-upgrade.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.velmora.fw_upgrade.metainfo.xml" || fail "appstreamcli"
grep -q 'ATTRS{idVendor}=="0483", ATTRS{idProduct}=="df11".*TAG+="uaccess"' \
    "$root/usr/lib/udev/rules.d/60-velmora-fw-upgrade.rules" || fail "the udev rule"
grep -q '^Exec=velmora-fw-upgrade -l$' "$root/usr/share/applications/velmora-fw-upgrade.desktop" || fail "Exec line"

# The installed program, with the simulator installed beside it, on a fresh simulated unit.
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp > "$work/display" 2> /dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
mkdir -p "$work/tmp"
DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb TMPDIR="$work/tmp" VELMORA_SIM_DIR="$work/sim" \
    VELMORA_SIM_FAST=1 ASAN_OPTIONS=detect_leaks=0 "$root/usr/bin/velmora-fw-upgrade" -s -l 2> "$work/log" &
program=$!
for _ in $(seq 600); do
    grep -q 'MainWindow downloadMode: setEnabled true' "$work/log" && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
grep -q 'Shown: Connected to an R12 with firmware version C7' "$work/log" || { tail -40 "$work/log"; fail "no upgrade offer"; }
grep -q 'MainWindow downloadMode: setEnabled true' "$work/log" || fail "the button was not enabled"
grep -q "Start  \"$root/usr/share/velmora-fw-upgrade/dfu-util_simulator.sh\"" "$work/log" \
    || fail "the installed program did not run its installed simulator"
echo "1 passed, 0 failed"
