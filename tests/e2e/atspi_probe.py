"""Reads a running program's accessibility tree over AT-SPI, as a screen reader does.

Run inside a D-Bus session of its own (dbus-run-session), on an X display. It turns the
session's accessibility on (as a screen reader does when it starts), starts the program given
on the command line in that session, prints {"pid": N} and then answers commands on standard
input, one JSON line each:

    tree    every object of the program's windows: role, name, description, states
    events  the changes of names and descriptions announced since the last "events"
    quit    ends the program and the probe

Exits with 77 and a reason on standard error when the tools for AT-SPI are not installed.
"""

import json
import os
import select
import subprocess
import sys
import time


def fail(code, reason):
    sys.stderr.write(reason + "\n")
    sys.exit(code)


try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, Gio, GLib
except (ImportError, ValueError) as error:
    fail(77, "AT-SPI for Python (python3-pyatspi) is missing: %s" % error)


LAUNCHER = "/usr/libexec/at-spi-bus-launcher"  # at-spi2-core


def enable_accessibility():
    """Sets org.a11y.Status.IsEnabled on the session's accessibility bus launcher."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync(
        "org.a11y.Bus",
        "/org/a11y/bus",
        "org.freedesktop.DBus.Properties",
        "Set",
        GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
        None,
        Gio.DBusCallFlags.NONE,
        10000,
        None,
    )


def application_of(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except GLib.Error:
            continue
    return None


STATES = {
    "showing": Atspi.StateType.SHOWING,
    "visible": Atspi.StateType.VISIBLE,
    "focused": Atspi.StateType.FOCUSED,
    "focusable": Atspi.StateType.FOCUSABLE,
}


def walk(node, depth, out):
    try:
        state = node.get_state_set()
        out.append(
            {
                "depth": depth,
                "role": node.get_role_name(),
                "name": node.get_name() or "",
                "description": node.get_description() or "",
                "states": [word for word, s in STATES.items() if state.contains(s)],
            }
        )
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                walk(child, depth + 1, out)
    except GLib.Error as error:
        out.append({"depth": depth, "error": str(error)})


ANNOUNCED = []


def announced(event):
    """Records a change of a name or a description, as a screen reader hears of it, with the
    source's name and description as they are when the event is delivered."""
    try:
        source = event.source
        ANNOUNCED.append(
            {
                "type": event.type,
                "role": source.get_role_name() if source else "",
                "name": (source.get_name() or "") if source else "",
                "description": (source.get_description() or "") if source else "",
            }
        )
    except GLib.Error as error:
        ANNOUNCED.append({"type": event.type, "error": str(error)})


def commands():
    """The lines of standard input, while the accessibility events keep being delivered."""
    context = GLib.MainContext.default()
    pending = b""
    while True:
        while context.iteration(False):
            pass
        ready, _, _ = select.select([sys.stdin.fileno()], [], [], 0.05)
        if not ready:
            continue
        chunk = os.read(sys.stdin.fileno(), 4096)
        if not chunk:
            return
        pending += chunk
        while b"\n" in pending:
            line, pending = pending.split(b"\n", 1)
            yield line.decode().strip()


def answer(value):
    sys.stdout.write(json.dumps(value, ensure_ascii=False) + "\n")
    sys.stdout.flush()


def main():
    if len(sys.argv) < 2:
        fail(2, "usage: atspi_probe.py PROGRAM [ARGUMENT...]")
    try:
        enable_accessibility()
    except GLib.Error as error:
        # Without at-spi2-core the session has no accessibility bus to start; with it, a failure
        # to start one is a failure.
        absent = not os.path.exists(LAUNCHER)
        fail(77 if absent else 1, "no accessibility bus in this D-Bus session: %s" % error.message)
    Atspi.init()
    listener = Atspi.EventListener.new(announced)
    for kind in ("accessible-name", "accessible-description"):
        listener.register("object:property-change:" + kind)
    program = subprocess.Popen(sys.argv[1:])
    answer({"pid": program.pid})
    app = None
    try:
        for command in commands():
            if command == "quit":
                break
            if command == "events":
                answer({"events": ANNOUNCED[:]})
                del ANNOUNCED[:]
                continue
            if command != "tree":
                answer({"error": "unknown command " + command})
                continue
            # The program registers with the accessibility bus once its first window exists.
            limit = time.monotonic() + 30
            while app is None and time.monotonic() < limit and program.poll() is None:
                app = application_of(program.pid)
                if app is None:
                    time.sleep(0.2)
            if app is None:
                answer({"error": "the program is not on the accessibility bus"})
                continue
            nodes = []
            walk(app, 0, nodes)
            answer({"tree": nodes})
    finally:
        if program.poll() is None:
            program.terminate()
            try:
                program.wait(10)
            except subprocess.TimeoutExpired:
                program.kill()


if __name__ == "__main__":
    main()
