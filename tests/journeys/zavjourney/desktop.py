"""A desktop of the journey's own: an X display, a window manager, a session bus with the
accessibility bus, and the program over a settings folder of its own. Everything started
here is ended here by process id."""

import os
import signal
import subprocess
import time


class DesktopFailure(Exception):
    """The display, the window manager or the accessibility bus could not be had."""


def wait_until(condition, seconds, interval=0.05):
    """Polls condition() until it returns something true or the time is up; returns its value."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def end_process(process, grace=3.0):
    """Asks a process to end, then makes it; by its id, never by name."""
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def end_descendants(pid):
    """Ends whatever the processes started here left behind (the accessibility bus's own
    daemons), found by their parent ids."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", encoding="latin-1") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        children.setdefault(int(fields[1]), []).append(int(entry))
    found, queue = [], [pid]
    while queue:
        for child in children.get(queue.pop(), []):
            found.append(child)
            queue.append(child)
    for child in reversed(found):
        try:
            os.kill(child, signal.SIGTERM)
        except ProcessLookupError:
            pass


def start_display(log):
    """Starts Xvfb on a free display number and returns (process, ':N')."""
    read_end, write_end = os.pipe()
    try:
        process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=log, stderr=log, stdin=subprocess.DEVNULL)
    except OSError as error:
        raise DesktopFailure(f"cannot start the X display (Xvfb): {error}") from error
    finally:
        os.close(write_end)
    number = b""
    deadline = time.monotonic() + 30
    os.set_blocking(read_end, False)
    while not number.endswith(b"\n") and time.monotonic() < deadline and process.poll() is None:
        try:
            number += os.read(read_end, 16)
        except BlockingIOError:
            time.sleep(0.02)
    os.close(read_end)
    if not number.strip().isdigit():
        end_process(process)
        raise DesktopFailure("cannot reach the X display: Xvfb named no display within 30 s")
    return process, ":" + number.decode().strip()


def start_window_manager(log):
    """Starts openbox once the display takes connections, and waits until it manages the screen."""
    def root_property(name):
        return subprocess.run(["xprop", "-root", name], capture_output=True, text=True)

    if not wait_until(lambda: root_property("_NET_SUPPORTING_WM_CHECK").returncode == 0, 30):
        raise DesktopFailure(f"cannot reach the X display {os.environ.get('DISPLAY')}: it takes no connection")
    for _ in range(2):
        try:
            process = subprocess.Popen(["openbox", "--sm-disable"], stdout=log, stderr=log, stdin=subprocess.DEVNULL)
        except OSError as error:
            raise DesktopFailure(f"cannot start the window manager (openbox): {error}") from error
        if wait_until(lambda: process.poll() is not None or "window id" in root_property(
                "_NET_SUPPORTING_WM_CHECK").stdout, 30) and process.poll() is None:
            return process
        end_process(process)
    raise DesktopFailure("the window manager (openbox) did not take the display within 30 s")


def start_accessibility_bus(log):
    """Starts the accessibility bus on the session bus and waits until it answers."""
    try:
        process = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                   stdout=log, stderr=log, stdin=subprocess.DEVNULL)
    except OSError as error:
        raise DesktopFailure(f"cannot start the accessibility bus (at-spi-bus-launcher): {error}") from error

    def registered():
        # Asked of the session bus, not of org.a11y.Bus, which would have the bus start a second one.
        probe = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
                               capture_output=True, text=True)
        return probe.returncode == 0 and "boolean true" in probe.stdout

    def address():
        probe = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                "org.a11y.Bus.GetAddress"], capture_output=True, text=True)
        return probe.returncode == 0 and "unix:" in probe.stdout

    if not wait_until(registered, 30, 0.05) or not address():
        end_process(process)
        raise DesktopFailure("cannot reach the accessibility bus: org.a11y.Bus did not answer within 30 s")
    return process


def program_environment(folder):
    """The program's environment: its settings, data and home inside the journey's folder, the
    simulated board on LPT1 and COM1, and Qt's accessibility bridge on."""
    environment = dict(os.environ)
    for name in ("SESSION_MANAGER", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR"):
        environment.pop(name, None)
    settings = os.path.join(folder, "config")
    os.makedirs(os.path.join(settings, "zav"), exist_ok=True)
    ports = os.path.join(settings, "zav", "ports")
    if not os.path.exists(ports):
        with open(ports, "w", encoding="ascii") as map_file:
            map_file.write("LPT1=simulator\nCOM1=simulator\n")
    for name, sub in (("XDG_DATA_HOME", "data"), ("XDG_CACHE_HOME", "cache"), ("HOME", "home"),
                      ("XDG_RUNTIME_DIR", "runtime"), ("XDG_DATA_DIRS", "share")):
        path = os.path.join(folder, sub)
        os.makedirs(path, mode=0o700, exist_ok=True)
        environment[name] = path
    environment["XDG_CONFIG_HOME"] = settings
    environment["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    environment["QT_ACCESSIBILITY"] = "1"
    return environment


def start_program(program, folder, log, arguments=()):
    """Starts zavprog in the journey's folder, over the journey's settings."""
    return subprocess.Popen([program, *arguments], cwd=folder, env=program_environment(folder),
                            stdout=log, stderr=log, stdin=subprocess.DEVNULL)
