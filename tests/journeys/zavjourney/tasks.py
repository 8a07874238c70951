"""Steps that several journeys share, each as the manual tells a user to do it."""

import pyatspi

from zavjourney.finders import showing

MAIN = "ZAV Zoruruzad Irodozeziz"


def device_text(j):
    return j.find("text", "Device", within=j.main_window()).queryText().getText(0, -1)


def select_device(j, board, device):
    """Device ID, the board under Hardware, the device under Device, OK."""
    j.press("push button", "Device ID", within=j.main_window())
    dialog = j.window("Select Device")
    devices = j.find("list", "Device", within=dialog)
    j.space(j.find("radio button", board, within=dialog),
            until=lambda: any(devices.getChildAtIndex(i).name == device for i in range(devices.childCount)),
            what=f"'{device}' in the Device list")
    j.choose(devices, device)
    j.press("push button", "OK", within=dialog)
    j.window_closed("Select Device")
    j.wait(lambda: device_text(j) == device, f"the device field to show {device}")


def switch_on(j, caption):
    """Presses an option of the page in view until it reads ON, as "Erase: on"."""
    toggle = j.find("check box", f"{caption}: off", within=j.main_window())
    j.space(toggle, until=lambda: toggle.name == f"{caption}: on", what=f"{caption} to read on")


def switch_off(j, caption):
    toggle = j.find("check box", f"{caption}: on", within=j.main_window())
    j.space(toggle, until=lambda: toggle.name == f"{caption}: off", what=f"{caption} to read off")


def show_page(j, title):
    j.act(j.find("page tab", title, within=j.main_window()), "Press", "Toggle", "SetFocus")


def start(j):
    """The Start button of the page in view; returns it, reading Stop while the sequence runs."""
    before = j.messages()[-1:]
    button = j.find("check box", "Start", within=j.main_window())
    j.space(button, until=lambda: button.name != "Start" or j.messages()[-1:] != before, what="the sequence to start")
    return button


def show_editor(j):
    """The hex editor, shown with Alt+E in the main window unless the last session left it
    open, and its hex pane takes the keys."""
    app = j.application()
    if not any((w.name or "").startswith("Hex Editor") and showing(w) for w in app):
        j.activate(j.main_window())
        j.keys("<Alt>e")
    editor = j.window("Hex Editor", contains=True)
    hex_pane = j.find("table", "Hexadecimal dump", within=editor)
    j.focus(hex_pane)
    return editor, hex_pane


def focused_cell_name(j, pane, address):
    """The name of the byte's cell, once it is the focused one."""
    cell = j.cell(pane, address)
    j.wait(lambda: cell.getState().contains(pyatspi.STATE_FOCUSED), f"the cursor on 0x{address:04X}")
    return cell.name


def go_to(j, address):
    """Edit > Go To Address, the address typed, OK."""
    j.menu("Edit", "Go To Address")
    dialog = j.window("Go To Address")
    j.find("text", "Address", within=dialog)
    j.keys("<Control>a")
    j.type(f"0x{address:04X}")
    j.press("push button", "OK", within=dialog)
    j.window_closed("Go To Address")


def type_file_name(j, chooser_title, path):
    """Types the path into the file dialog's File name and presses Enter."""
    name = j.find("text", "File name:", within=j.window(chooser_title))
    j.focus(name)
    j.keys("<Control>a")
    j.type(path)
    j.keys("Return")


def choose_file(j, form_title, chooser_title, path):
    """Browse from the program's file form, the path typed into the file dialog, then OK."""
    form = j.window(form_title)
    j.press("push button", "Browse", within=form)
    type_file_name(j, chooser_title, path)
    j.wait(lambda: j.find("text", "File Name", within=form).queryText().getText(0, -1) == path,
           f"{path} in the form's File Name")
    j.press("push button", "OK", within=form)
    j.window_closed(form_title)
