"""Program a part with Erase, Program and Verify, answering the CONFIG question Yes: the
bytes typed go into the part and read back the same."""

import os

from zavjourney import tasks


def run(j):
    tasks.select_device(j, "MC68HC11E9", "MC68HC11E9")
    editor, hex_pane = tasks.show_editor(j)
    assert tasks.focused_cell_name(j, hex_pane, 0xB600) == "0xB600: 00"
    j.type("5AA5")
    for step in ("Erase", "Program", "Verify"):
        tasks.switch_on(j, step)
    start = tasks.start(j)
    j.answer("Continue program CONFIG register ?", "Yes")
    j.wait_message("Program Sequence completed successful", timeout=30)
    j.wait_name(start, "Start")
    assert not any("Verify Error" in line for line in j.messages()), j.messages()
    # The part's old contents were kept before the erase, in the user's data folder.
    backups = os.path.join(j.folder, "data", "zav", "backups")
    assert os.path.isdir(backups) and os.listdir(backups), f"no backup in {backups}"
