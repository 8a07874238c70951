"""Unsaved edits are asked about before a load and at exit: Cancel keeps them, a save that
fails keeps the program open with them, No lets them go."""

from zavjourney import tasks


def run(j):
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    editor, hex_pane = tasks.show_editor(j)
    j.type("5A")
    j.activate(j.main_window())
    j.keys("F3")
    j.answer("Save buffer to file ?", "Cancel")
    j.absent("dialog", "Load File Into Buffer", timeout=1)
    assert j.cell(hex_pane, 0x0100).name == "0x0100: 5A"

    # Exit, Yes, and a save into /sys, which takes no new file, not even from root.
    j.menu("File", "Exit")
    j.answer("Save buffer to file ?", "Yes")
    tasks.choose_file(j, "Save File From Buffer", "Save File", "/sys/zav-buffer.zef")
    j.wait_message("Write file failed : /sys/zav-buffer.zef")
    j.main_window()
    assert j.desktop.program.poll() is None, "the program ended though the save failed"
    assert j.cell(hex_pane, 0x0100).name == "0x0100: 5A"

    j.menu("File", "Exit")
    j.answer("Save buffer to file ?", "No")
    j.desktop.wait_ended()
