#!/bin/sh
# A headless desktop with a screen reader, for the tests: dbus-run-session -- orca-session.sh DIR
# starts an X server, the accessibility bus and Orca, all in DIR (a private home and runtime
# folder), writes its pid to DIR/pid and, once Orca runs, DIR/session (DISPLAY=…,
# DBUS_SESSION_BUS_ADDRESS=…, HOME=… and XDG_RUNTIME_DIR=…, one a line); it ends them all on
# SIGTERM. Orca writes what it decides to say to DIR/orca.log, as lines "SPEECH OUTPUT: '…'".
set -eu
dir=$1
export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" TMPDIR="$dir/tmp"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME/orca" "$TMPDIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS SESSION_MANAGER

# No sound card: speech goes nowhere, Orca still logs every line it says.
printf 'AudioOutputMethod "libao"\nDefaultModule dummy\n' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
printf 'default_driver=null\n' >"$HOME/.libao"
# Orca buffers its debug file: line-buffered, each line is there as soon as it is decided.
cat >"$XDG_DATA_HOME/orca/orca-customizations.py" <<'EOF'
import sys
from orca import debug
if debug.debugFile is not None:
    debug.debugFile.reconfigure(line_buffering=True)
EOF

echo $$ >"$dir/pid"
pids=""
finish() {
    # The settings service is the session bus's, started in the test's own home: put back.
    gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled false 2>/dev/null || true
    for pid in $pids $(cat "$XDG_RUNTIME_DIR"/speech-dispatcher/pid/*.pid 2>/dev/null); do
        kill "$pid" 2>/dev/null || true
    done
    wait
    exit 0
}
trap finish TERM INT

# No -noreset: the server resets when its last client leaves and loses the bus address that
# the bus launcher put on its root window, as some desktops' servers do; a program then
# finds the bus only over the session bus.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
pids="$pids $!"
while [ ! -s "$dir/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$dir/display")"

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$dir/bus.log" 2>&1 &
pids="$pids $!"
gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true
orca --replace --debug-file="$dir/orca.log" >"$dir/orca.out" 2>&1 &
pids="$pids $!"
while ! grep -q "SPEECH OUTPUT" "$dir/orca.log" 2>/dev/null; do sleep 0.2; done

printf 'DISPLAY=%s\nDBUS_SESSION_BUS_ADDRESS=%s\nHOME=%s\nXDG_RUNTIME_DIR=%s\n' \
    "$DISPLAY" "$DBUS_SESSION_BUS_ADDRESS" "$HOME" "$XDG_RUNTIME_DIR" >"$dir/session.part"
mv "$dir/session.part" "$dir/session"
while :; do sleep 1 & wait $! || true; done
