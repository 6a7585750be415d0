#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those:
#   install-deps.sh run    what building and running the program need
#   install-deps.sh test   that, and the tools the tests use (the fuzzers' smoke runs among them)
#   install-deps.sh coverage   gcovr, for make coverage
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qtbase5-dev qtbase5-dev-tools qttools5-dev-tools qttranslations5-l10n
    dfu-util patchelf libusb-1.0-0-dev
    python3 python3-fonttools fonts-inter
)
if [ "${1:-run}" = test ]; then
    packages+=(
        xvfb xauth xdotool x11-utils libx11-dev libxdamage-dev
        dpkg-dev fakeroot lintian desktop-file-utils appstream
        clang libclang-rt-14-dev
        fonts-noto-cjk dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0
        orca speech-dispatcher dconf-gsettings-backend libglib2.0-bin
    )
elif [ "${1:-run}" = coverage ]; then
    packages=(gcovr)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
