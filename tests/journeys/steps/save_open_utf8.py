"""Save the buffer under a name with letters beyond ASCII, and open it again after a restart."""

import os

from zavjourney import tasks

NAME = "Prüfung µC – Ω.zef"


def choose_file(j, form_title, chooser_title, path):
    """Browse from the program's file form, the path typed into the file dialog."""
    form = j.window(form_title)
    j.press("push button", "Browse", within=form)
    chooser = j.find("text", "File name:", within=j.window(chooser_title))
    j.focus(chooser)
    j.keys("<Control>a")
    j.type(path)
    j.keys("Return")
    j.wait(lambda: j.find("text", "File Name", within=form).queryText().getText(0, -1) == path,
           f"{path} in the form's File Name")
    j.press("push button", "OK", within=form)
    j.window_closed(form_title)


def run(j):
    path = os.path.join(j.folder, NAME)
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    editor, hex_pane = tasks.show_editor(j)
    j.type("5A")
    j.activate(j.main_window())
    j.keys("F2")
    choose_file(j, "Save File From Buffer", "Save File", path)
    j.wait(lambda: os.path.exists(path), f"the file {path}")

    j.menu("File", "Exit")
    j.desktop.wait_ended()
    j.desktop.start()
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    j.keys("F3")
    choose_file(j, "Load File Into Buffer", "Open", path)
    editor, hex_pane = tasks.show_editor(j)
    j.wait_name(j.cell(hex_pane, 0x0100), "0x0100: 5A")
    j.wait_message(f"Reading file : {path}")
