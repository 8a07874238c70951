"""Finding and working the program's controls by role and name, as a screen reader user
does, and waiting on what a person would wait on. No screen coordinates anywhere."""

import time

from dogtail import rawinput
from gi.repository import Gio, GLib
import pyatspi

from zavjourney.desktop import wait_until

# A container with more children than this is a table that manages its descendants (the hex
# panes hold 65,536 cells): searches do not walk into it, a cell is asked for by row and column.
LARGE = 500


class JourneyFailure(AssertionError):
    """What the user would have seen go wrong."""


def describe(node):
    try:
        return f"{node.getRoleName()} '{node.name}'"
    except Exception:  # the object went away
        return "(gone)"


def path_of(node):
    """The chain of roles and names from the application down to the node."""
    chain = []
    while node is not None and len(chain) < 30:
        chain.append(describe(node))
        try:
            if node.getRole() == pyatspi.ROLE_APPLICATION:
                break
            node = node.parent
        except Exception:
            break
    return " > ".join(reversed(chain))


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def descendants(node, depth=0):
    """Every showing descendant, depth first, not into large tables."""
    if depth > 40:
        return
    try:
        count = node.childCount
    except Exception:
        return
    if count > LARGE:
        return
    for index in range(count):
        try:
            child = node.getChildAtIndex(index)
        except Exception:
            continue
        if child is None or not showing(child):
            continue
        yield child
        yield from descendants(child, depth + 1)


def matches(node, role, name, contains):
    try:
        if role is not None and node.getRoleName() != role:
            return False
        if name is None:
            return True
        text = node.name or ""
        return name in text if contains else text == name
    except Exception:
        return False


class Journey:
    """One user's session with the program: finders and the person's actions."""

    def __init__(self, desktop, folder, timeout=10.0):
        self.desktop = desktop
        self.folder = folder
        self.timeout = timeout
        self._bus = None

    # --- finding -------------------------------------------------------------------------

    def application(self):
        return self.desktop.application()

    def find(self, role, name=None, within=None, contains=False, timeout=None):
        """The first showing control of the role and name under `within` (the application when
        none), waiting for it to appear; fails with the path searched."""
        parent = within if within is not None else self.application()
        found = wait_until(lambda: next((n for n in descendants(parent) if matches(n, role, name, contains)), None),
                           self.timeout if timeout is None else timeout, 0.1)
        if found is None:
            wanted = f"{role or 'control'}" + (f" named '{name}'" if name is not None else "")
            raise JourneyFailure(f"no {wanted} under {path_of(parent)}")
        return found

    def find_all(self, role, within=None):
        parent = within if within is not None else self.application()
        return [node for node in descendants(parent) if matches(node, role, None, False)]

    def absent(self, role, name, within=None, timeout=None):
        """Waits until no showing control of the role and name is left."""
        parent = within if within is not None else self.application()
        gone = wait_until(lambda: not any(matches(n, role, name, False) for n in descendants(parent)),
                          self.timeout if timeout is None else timeout, 0.1)
        if not gone:
            raise JourneyFailure(f"{role} '{name}' still shown under {path_of(parent)}")

    def window(self, title, contains=False, timeout=None):
        """A top-level window or dialog of the program by its title."""
        app = self.application()

        def top_level():
            for index in range(app.childCount):
                child = app.getChildAtIndex(index)
                if child is not None and showing(child) and matches(child, None, title, contains):
                    return child
            return None

        found = wait_until(top_level, self.timeout if timeout is None else timeout, 0.1)
        if found is None:
            titles = [describe(app.getChildAtIndex(i)) for i in range(app.childCount)]
            raise JourneyFailure(f"no window titled '{title}'; the program shows {titles}")
        return found

    def window_closed(self, title, timeout=None):
        app = self.application()

        def closed():
            return not any(matches(app.getChildAtIndex(i), None, title, False) and showing(app.getChildAtIndex(i))
                           for i in range(app.childCount))

        if not wait_until(closed, self.timeout if timeout is None else timeout, 0.1):
            raise JourneyFailure(f"window '{title}' did not close")

    def cell(self, pane, address):
        """The cell of a byte in a hex editor pane, asked of the pane as a table."""
        return pane.queryTable().getAccessibleAt(address // 16, address % 16)

    # --- waiting -------------------------------------------------------------------------

    def wait(self, condition, what, timeout=None):
        value = wait_until(condition, self.timeout if timeout is None else timeout, 0.1)
        if not value:
            raise JourneyFailure(f"waited in vain for {what}")
        return value

    def wait_name(self, node, name, timeout=None):
        self.wait(lambda: node.name == name, f"{describe(node)} to read '{name}'", timeout)

    def wait_focused(self, node, timeout=None):
        self.wait(lambda: node.getState().contains(pyatspi.STATE_FOCUSED), f"the focus on {path_of(node)}", timeout)

    def messages(self):
        """The lines of the main window's message list."""
        message_list = self.find("list", "Program Messages", within=self.main_window())
        return [message_list.getChildAtIndex(i).name for i in range(message_list.childCount)]

    def wait_message(self, text, timeout=None):
        """Waits until the message list shows a line that holds the text."""
        self.wait(lambda: any(text in line for line in self.messages()), f"the message '{text}'", timeout)

    # --- acting --------------------------------------------------------------------------

    def main_window(self):
        return self.window("ZAV Zoruruzad Irodozeziz")

    def act(self, node, *names):
        """Carries out the control's first action of the names given, as a reader's activate does.

        The request is sent without waiting for its answer: Qt answers only once the action is
        done, and an action that opens a modal dialog is done when the dialog closes."""
        action = node.queryAction()
        available = [action.getName(i) for i in range(action.nActions)]
        for wanted in names or ("Press", "Toggle", "SetFocus"):
            if wanted in available:
                self._send(node, "org.a11y.atspi.Action", "DoAction", GLib.Variant("(i)", (available.index(wanted),)))
                return
        raise JourneyFailure(f"{path_of(node)} offers none of {names}; it offers {available}")

    def _send(self, node, interface, method, arguments):
        if self._bus is None:
            session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
            reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                      GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 5000, None)
            flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
            self._bus = Gio.DBusConnection.new_for_address_sync(reply.unpack()[0], flags, None, None)
        message = Gio.DBusMessage.new_method_call(node.app.bus_name, node.path, interface, method)
        message.set_body(arguments)
        message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        self._bus.send_message(message, Gio.DBusSendMessageFlags.NONE)
        self._bus.flush_sync(None)

    def focus(self, node):
        """Moves the keyboard focus to the control: asked of the control, else with Tab, as a
        keyboard user reaches it; fails if Tab never gets there."""
        def focused():
            return node.getState().contains(pyatspi.STATE_FOCUSED)

        self.activate(self.top_level(node))
        try:
            node.queryComponent().grabFocus()
        except Exception:
            pass
        if wait_until(focused, 0.5, 0.05):
            return
        for _ in range(40):
            self.keys("Tab")
            if wait_until(focused, 0.3, 0.03):
                return
        raise JourneyFailure(f"Tab never reached {path_of(node)}")

    def top_level(self, node):
        """The program's window that holds the node."""
        while node.parent is not None and node.parent.getRole() != pyatspi.ROLE_APPLICATION:
            node = node.parent
        return node

    def activate(self, window):
        """Brings the window to the front with the window manager's Alt+Tab, as a keyboard user
        switches windows."""
        def active():
            return window.getState().contains(pyatspi.STATE_ACTIVE)

        for _ in range(6):
            if wait_until(active, 0.3, 0.03):
                return
            self.keys("<Alt>Tab")
        raise JourneyFailure(f"Alt+Tab never brought {describe(window)} to the front")

    def space(self, node, until=None, what="the press to take effect"):
        """Focuses a button, check box or radio button and presses Space on it, as a keyboard user
        does. With `until`, waits for its effect and presses again if a freshly raised window
        let the key go by."""
        for _ in range(3):
            self.focus(node)
            self.keys("space")
            if until is None or wait_until(until, 2, 0.05):
                return
        raise JourneyFailure(f"waited in vain for {what} after Space on {path_of(node)}")

    def choose(self, list_node, name):
        """Selects a list's item with the arrow keys, as a keyboard user does: the item the keys
        stop on is the one chosen."""
        def current():
            for index in range(list_node.childCount):
                item = list_node.getChildAtIndex(index)
                if item is not None and item.getState().contains(pyatspi.STATE_FOCUSED):
                    return item.name
            return None

        self.focus(list_node)
        self.keys("Home")
        for _ in range(list_node.childCount):
            if self.wait(lambda: current(), f"a current item in {path_of(list_node)}") == name:
                item = next(list_node.getChildAtIndex(i) for i in range(list_node.childCount)
                            if list_node.getChildAtIndex(i).name == name)
                self.wait(lambda: item.getState().contains(pyatspi.STATE_SELECTED),
                          f"'{name}' chosen as the keys' current item in {path_of(list_node)}", timeout=2)
                return
            before = current()
            self.keys("Down")
            self.wait(lambda: current() != before, f"the selection to move down {path_of(list_node)}")
        raise JourneyFailure(f"no item '{name}' in {path_of(list_node)}")

    def press(self, role, name, within=None):
        node = self.find(role, name, within)
        self.act(node, "Press", "Toggle")
        return node

    def menu(self, *captions):
        """Opens the menus and runs the command, as a keyboard user does, e.g. menu('File', 'Save')."""
        menu_bar = self.find("menu bar", within=self.main_window())
        node = menu_bar
        for caption in captions:
            node = self.find_menu_item(node, caption)
        self.act(node, "Press", "Toggle")

    def find_menu_item(self, within, caption):
        def item():
            queue = [within]
            while queue:
                current = queue.pop(0)
                for index in range(current.childCount):
                    child = current.getChildAtIndex(index)
                    if child is None:
                        continue
                    if child.getRoleName() in ("menu item", "check menu item", "radio menu item", "menu") \
                            and (child.name or "").replace("&", "") == caption:
                        return child
                    if child.getRoleName() in ("menu item", "popup menu", "menu"):
                        queue.append(child)
            return None

        found = wait_until(item, self.timeout, 0.1)
        if found is None:
            raise JourneyFailure(f"no menu item '{caption}' under {path_of(within)}")
        return found

    def keys(self, combo):
        """Presses a key or a combination as '<Alt>x', 'F8', '<Control>z'."""
        rawinput.keyCombo(combo)

    def type(self, text):
        rawinput.typeText(text)

    def answer(self, text, button, timeout=None):
        """Waits for the message box whose text holds `text` and presses `button`."""
        app = self.application()

        def box():
            for index in range(app.childCount):
                window = app.getChildAtIndex(index)
                if window is None or not showing(window) or window.getRoleName() not in ("dialog", "alert"):
                    continue
                if any(text in (node.name or "") for node in descendants(window) if node.getRoleName() == "label"):
                    return window
            return None

        found = wait_until(box, self.timeout if timeout is None else timeout, 0.1)
        if found is None:
            raise JourneyFailure(f"no message box saying '{text}'")
        self.space(self.find("push button", button, within=found), until=lambda: not showing(found),
                   what=f"the box '{text}' to close")
        return found
