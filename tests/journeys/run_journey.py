#!/usr/bin/python3
"""Runs one user journey against the built zavprog on a desktop of its own.

    run_journey.py --program build/src/ui/shell/zavprog --output FOLDER NAME

starts an Xvfb display, then a session bus (dbus-run-session) with openbox and the
accessibility bus inside it, then the program over a settings folder in FOLDER, and runs the
journey steps/NAME.py. A failure leaves failure.png and failure-tree.txt in FOLDER. Exits 0
when the journey passed, 1 when it failed or its desktop could not be had."""

import argparse
import importlib
import os
import shutil
import subprocess
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
# The source tree stays as checked out.
sys.dont_write_bytecode = True

from zavjourney import desktop  # noqa: E402


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    parser.add_argument("journey")
    return parser.parse_args()


def outside(options):
    """Starts the display, then this script again inside a session bus of its own."""
    shutil.rmtree(options.output, ignore_errors=True)
    os.makedirs(options.output)
    log = open(os.path.join(options.output, "desktop.log"), "w")
    environment = dict(os.environ)
    for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "XAUTHORITY"):
        environment.pop(name, None)
    home = os.path.join(options.output, "session-home")
    os.makedirs(home)
    environment.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                       XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_RUNTIME_DIR=home)
    display = None
    try:
        display, environment["DISPLAY"] = desktop.start_display(log)
        inner = subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), "--inside",
                                "--program", options.program, "--output", options.output, options.journey],
                               env=environment, stdin=subprocess.DEVNULL, timeout=170)
        return inner.returncode
    except desktop.DesktopFailure as failure:
        print(f"journey {options.journey}: FAILED: {failure}")
        return 1
    except FileNotFoundError as missing:
        print(f"journey {options.journey}: FAILED: cannot start the session bus: {missing}")
        return 1
    except subprocess.TimeoutExpired:
        print(f"journey {options.journey}: FAILED: did not end within 170 s")
        return 1
    finally:
        desktop.end_process(display)
        desktop.end_descendants(os.getpid())
        log.close()


class Desktop:
    """The running program as the journey sees it."""

    def __init__(self, program, folder, log):
        self.program_path = program
        self.folder = folder
        self.log = log
        self.program = None
        self.app = None

    def start(self, *program_arguments):
        self.program = desktop.start_program(self.program_path, self.folder, self.log, program_arguments)
        self.app = None
        return self.application()

    def application(self):
        import pyatspi
        if self.app is not None:
            return self.app

        def find():
            if self.program.poll() is not None:
                raise AssertionError(f"zavprog ended with status {self.program.returncode} before it showed")
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == self.program.pid and app.childCount > 0:
                    return app
            return None

        self.app = desktop.wait_until(find, 20, 0.1)
        if self.app is None:
            raise AssertionError("zavprog did not appear on the accessibility bus within 20 s")
        return self.app

    def wait_ended(self, seconds=10):
        """Waits for the program to end by itself, as after File > Exit; returns its status."""
        try:
            return self.program.wait(seconds)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"zavprog did not end within {seconds} s") from None

    def stop(self):
        desktop.end_process(self.program)
        self.app = None


def inside(options):
    log = open(os.path.join(options.output, "desktop.log"), "a")
    folder = os.path.join(options.output, "user")
    os.makedirs(folder, exist_ok=True)
    window_manager = bus = None
    running = None
    started = time.monotonic()
    try:
        window_manager = desktop.start_window_manager(log)
        bus = desktop.start_accessibility_bus(log)
        try:
            from dogtail.config import config
            config.checkForA11y = False
            config.logDebugToFile = False
            config.typingDelay = 0.02
            config.defaultDelay = 0.1
            from zavjourney import evidence, finders
        except ImportError as missing:
            raise desktop.DesktopFailure(f"cannot drive the accessibility tree: {missing} "
                                         "(bash scripts/setup installs python3-dogtail and python3-pyatspi)") from None
        running = Desktop(options.program, folder, log)
        journey = finders.Journey(running, folder)
        steps = importlib.import_module(f"steps.{options.journey}")
        try:
            running.start(*getattr(steps, "ARGUMENTS", ()))
            steps.run(journey)
        except Exception as failure:
            print(f"journey {options.journey}: FAILED: {failure}")
            traceback.print_exc()
            try:
                evidence.screenshot(os.path.join(options.output, "failure.png"))
                if running.app is not None:
                    evidence.save_tree(running.app, os.path.join(options.output, "failure-tree.txt"))
            except Exception as unsaved:
                print(f"(the failure's evidence could not be kept: {unsaved})")
            print(f"screenshot and accessibility tree in {options.output}")
            return 1
        print(f"journey {options.journey}: passed in {time.monotonic() - started:.1f} s")
        return 0
    except desktop.DesktopFailure as failure:
        print(f"journey {options.journey}: FAILED: {failure}")
        return 1
    finally:
        if running is not None:
            running.stop()
        desktop.end_process(bus)
        desktop.end_process(window_manager)
        desktop.end_descendants(os.getpid())
        log.close()


def main():
    options = arguments()
    options.program = os.path.abspath(options.program)
    options.output = os.path.abspath(options.output)
    return inside(options) if options.inside else outside(options)


if __name__ == "__main__":
    sys.exit(main())
