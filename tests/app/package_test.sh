#!/usr/bin/env bash
# Makes the Debian package twice from this source tree, in two package builds in folders of
# different names, and checks that both are the same to the byte; checks the package as Debian's
# own tools do; looks for a path of the build machine in every installed file; unpacks it into a
# scratch root (not into this machine) and runs the program installed there as an ordinary user
# whose temporary folder cannot run programs: with the simulator until it offers the upgrade,
# and without it until the installed dfu-util has passed its execution test.
#   package_test.sh SOURCE-DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
chmod 755 "$work" # the ordinary user reads the unpacked package in it
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "0 passed, 1 failed"; exit 1; }

# Two folders of different names at the same depth: a path compiled in shows as a difference.
builds=("$work/one/build" "$work/other/build")
for build in "${builds[@]}"; do
    cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_PACKAGE_BUILD=ON \
        > "$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configuring a package build"; }
    cmake --build "$build" -j 2 > "$work/build.log" 2>&1 || { tail -40 "$work/build.log"; fail "package build"; }
    (cd "$build" && cpack -G DEB -B "$build/out" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
done
deb=$(ls "${builds[0]}"/out/*.deb)
ddeb=$(ls "${builds[0]}"/out/*.ddeb)
for file in "$deb" "$ddeb"; do
    cmp "$file" "${builds[1]}/out/$(basename "$file")" || fail "two builds of one tree differ: $(basename "$file")"
done

# The files installed as they are in the tree that no check below looks for (lintian fails a
# package without its manual page, copyright or a dependency computed from the binary).
listing=$(dpkg-deb -c "$deb")
for file in usr/lib/udev/rules.d/60-velmora-fw-upgrade.rules usr/share/doc/velmora-fw-upgrade/SOURCE-OFFER \
            usr/share/icons/hicolor/{scalable/apps/velmora-fw-upgrade.svg,48x48/apps/velmora-fw-upgrade.png}; do
    grep -q " \./$file\$" <<< "$listing" || fail "the package lacks $file"
done
dpkg-deb -f "$deb" Depends | grep -q 'qttranslations5-l10n' || fail "no dependency on Qt's own translations"
dpkg-deb -f "$deb" Depends | grep -q 'libudev1' || fail "no dependency computed from the installed libusb"
built_using=$(dpkg-deb -f "$deb" Built-Using)
grep -q "^dfu-util (= $(dpkg-query -W -f='${Version}' dfu-util)), libusb-1.0 (= " <<< "$built_using" \
    || fail "Built-Using: '$built_using'"

# Missing hardening is reported at the info level, which lintian shows only when asked.
lintian --display-info --fail-on error,warning "$deb" "$ddeb" > "$work/lintian.log" 2>&1 \
    || { cat "$work/lintian.log"; fail "lintian"; }
! grep -q 'hardening-' "$work/lintian.log" || { cat "$work/lintian.log"; fail "lintian reports missing hardening"; }
dpkg -x "$deb" "$work/root"
root=$work/root
desktop-file-validate "$root/usr/share/applications/velmora-fw-upgrade.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.velmora.fw_upgrade.metainfo.xml" || fail "appstreamcli"

# No path of the build machine in any installed file, compressed ones read as they are and
# unpacked; the program's own texts are UTF-16 (-el).
while IFS= read -r -d '' file; do
    for text in "$(strings -a "$file"; strings -a -el "$file")" \
                "$(if [[ $file == *.gz ]]; then zcat "$file" | strings -a; fi)"; do
        for path in "$source_dir" "$work" "${builds[@]}"; do
            ! grep -qF "$path" <<< "$text" || fail "${file#"$root"} holds the build path $path"
        done
    done
done < <(find "$root" -type f -print0)

# The installed dfu-util loads the libusb beside it, not the machine's; that it runs there is
# the program's own execution test below.
ldd "$root/usr/lib/velmora-fw-upgrade/dfu-util" | grep -qF "libusb-1.0.so.0 => $root/usr/lib/velmora-fw-upgrade/" \
    || fail "the installed dfu-util does not load the libusb beside it"

# The installed program, run by an ordinary user whose TMPDIR is on a file system that runs no
# programs: a mount of its own in a mount namespace of its own, gone with it.
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: running the installed program as another user with a noexec TMPDIR needs root"
    echo "1 passed, 0 failed"
    exit 0
fi
user=nobody
mkdir -p "$work/tmp" "$work/sim"
chown "$user" "$work/sim"
run_installed() { # run_installed LOG ARGUMENTS...: in the background, its pid in $program
    local log=$1; shift
    QT_QPA_PLATFORM=offscreen TMPDIR="$work/tmp" VELMORA_SIM_DIR="$work/sim" \
        VELMORA_SIM_FAST=1 ASAN_OPTIONS=detect_leaks=0 HOME="$work/sim" \
        unshare -m sh -c 'mount -t tmpfs -o noexec,mode=1777 tmpfs "$0" && exec setpriv "$@"' "$work/tmp" \
        --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --clear-groups \
        "$root/usr/bin/velmora-fw-upgrade" "$@" 2> "$log" &
    program=$!
}
wait_for() { # wait_for LOG TEXT
    for _ in $(seq 600); do
        grep -qF "$2" "$1" 2>/dev/null && return 0
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    grep -qF "$2" "$1"
}

run_installed "$work/log" -s -l
wait_for "$work/log" 'MainWindow downloadMode: setEnabled true' || { tail -40 "$work/log"; fail "no upgrade offered"; }
grep -q "Start  \"$root/usr/share/velmora-fw-upgrade/dfu-util_simulator.sh\"" "$work/log" \
    || fail "the installed program did not run its installed simulator"
kill "$program"
wait "$program" 2>/dev/null || true

run_installed "$work/log-real" -l
wait_for "$work/log-real" 'Result of execution test:' || true
grep -q 'Result of execution test: status was ok and output: as expected' "$work/log-real" \
    || { tail -40 "$work/log-real"; fail "the installed dfu-util did not run in place"; }
grep -q "Start  \"$root/usr/lib/velmora-fw-upgrade/dfu-util\"" "$work/log-real" || fail "another dfu-util ran"
kill "$program"
wait "$program" 2>/dev/null || true

# A package whose dfu-util is gone: the user is told to install it again, and shown the tool that
# cannot run, not sent to another temporary folder that would mend nothing.
rm "$root/usr/lib/velmora-fw-upgrade/dfu-util"
run_installed "$work/log-broken" --batch --timeout 5
status=0
wait "$program" || status=$?
program=""
[ "$status" -eq 2 ] || { cat "$work/log-broken"; fail "a broken installed dfu-util ended with $status, not 2"; }
grep -qF "The USB tool $root/usr/lib/velmora-fw-upgrade/dfu-util cannot run: it is missing" "$work/log-broken" \
    && grep -qF "Install the velmora-fw-upgrade package again" "$work/log-broken" \
    || { cat "$work/log-broken"; fail "a broken installed dfu-util is not named, or not mended by a new install"; }
! grep -q "TMPDIR" "$work/log-broken" || fail "a broken installed dfu-util sends the user to TMPDIR"
echo "1 passed, 0 failed"
