#!/usr/bin/python3
"""A screen reader's view of the running program, over AT-SPI: what an assistive client finds,
reads and does. One command a run; prints what it found, exits 1 when it did not.
    atspi_client.py button NAME     the push button of that name: its state and description
    atspi_client.py press NAME      presses it through its action interface
    atspi_client.py status          the status line's text
    atspi_client.py bar             the progress bar's value and phase, when it is shown
    atspi_client.py log             the log window's lines, one a line
    atspi_client.py heard SECONDS   what the program tells for that long: each change of an
                                    accessible name, as ROLE|DESCRIPTION|NAME, after a line
                                    "listening"
"""
import sys
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

APP = "velmora-fw-upgrade"
# Older and newer names of the same calls: the ones Debian's library has are the ones used.
warnings.simplefilter("ignore", DeprecationWarning)


def program():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == APP:
            return app
    return None


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def find(role, name=None, description=None):
    app = program()
    if app is None:
        return None
    for node in walk(app):
        if node.get_role() != role:
            continue
        if name is not None and node.get_name() != name:
            continue
        if description is not None and node.get_description() != description:
            continue
        if node.get_state_set().contains(Atspi.StateType.SHOWING):
            return node
    return None


def main():
    command = sys.argv[1]
    if command in ("button", "press"):
        button = find(Atspi.Role.PUSH_BUTTON, name=sys.argv[2])
        if button is None:
            return 1
        if command == "press":
            names = [Atspi.Action.get_action_name(button, i) for i in range(Atspi.Action.get_n_actions(button))]
            return 0 if Atspi.Action.do_action(button, names.index("Press")) else 1
        enabled = button.get_state_set().contains(Atspi.StateType.ENABLED)
        focused = button.get_state_set().contains(Atspi.StateType.FOCUSED)
        print("enabled" if enabled else "disabled", "focused" if focused else "unfocused", button.get_description(),
              sep="|")
    elif command == "status":
        label = find(Atspi.Role.LABEL, description=sys.argv[2] if len(sys.argv) > 2 else "Status")
        if label is None:
            return 1
        print(label.get_name())
    elif command == "bar":
        bar = find(Atspi.Role.PROGRESS_BAR)
        if bar is None:
            return 1
        print(int(Atspi.Value.get_current_value(bar)), bar.get_description(), sep="|")
    elif command == "log":
        # A read-only text view: Qt gives it the role of a label.
        view = find(Atspi.Role.LABEL, name="Log")
        if view is None:
            return 1
        offset, count, last = 0, Atspi.Text.get_character_count(view), None
        while offset < count:
            # Qt answers the older of the two line calls.
            line = Atspi.Text.get_text_at_offset(view, offset, Atspi.TextBoundaryType.LINE_START)
            if line.start_offset != last:
                print(line.content.rstrip("\n"))
            last = line.start_offset
            offset = max(line.end_offset, offset + 1)
    elif command == "heard":
        def told(event):
            source = event.source
            print(source.get_role_name(), source.get_description(), source.get_name(), sep="|", flush=True)

        listener = Atspi.EventListener.new(told)
        listener.register("object:property-change:accessible-name")
        GLib.timeout_add_seconds(int(sys.argv[2]), Atspi.event_quit)
        print("listening", flush=True)
        Atspi.event_main()
    return 0


sys.exit(main())
