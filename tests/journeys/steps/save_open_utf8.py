"""Save the buffer under a name with letters beyond ASCII, and open it again after a restart."""

import os

from zavjourney import tasks

NAME = "Prüfung µC – Ω.zef"


def run(j):
    path = os.path.join(j.folder, NAME)
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    editor, hex_pane = tasks.show_editor(j)
    j.type("5A")
    j.activate(j.main_window())
    j.keys("F2")
    tasks.choose_file(j, "Save File From Buffer", "Save File", path)
    j.wait(lambda: os.path.exists(path), f"the file {path}")

    j.menu("File", "Exit")
    j.desktop.wait_ended()
    j.desktop.start()
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    j.keys("F3")
    tasks.choose_file(j, "Load File Into Buffer", "Open", path)
    editor, hex_pane = tasks.show_editor(j)
    j.wait_name(j.cell(hex_pane, 0x0100), "0x0100: 5A")
    j.wait_message(f"Reading file : {path}")
