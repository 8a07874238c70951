"""A read started by a screen reader's activate rather than by keys: the reader's action on
Start must run the sequence, not only press the button down."""

from zavjourney import tasks


def run(j):
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    tasks.show_page(j, "Read Sequence")
    read = j.find("check box", "Read: off", within=j.main_window())
    j.act(read, "Toggle", "Press")
    j.wait_name(read, "Read: on")
    start = j.find("check box", "Start", within=j.main_window())
    j.act(start, "Toggle", "Press")
    j.wait_message("Read Sequence completed successful.")
    j.wait_name(start, "Start")
