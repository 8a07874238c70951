"""Print a dump where no printer is installed: into a PDF file chosen by name, and once more
into a folder that takes no file, which fails, says why and leaves the dialog open."""

import os

from zavjourney import tasks


def print_to(j, path):
    dialog = j.window("Print")
    j.press("push button", "Print", within=dialog)
    name = j.find("text", "File name:", within=j.window("Print To File"))
    j.focus(name)
    j.keys("<Control>a")
    j.type(path)
    j.keys("Return")
    return dialog


def run(j):
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    j.menu("File", "Print")
    dialog = j.window("Print")
    for field, value in (("From Address", "0x0100"), ("To Address", "0x01FF")):
        j.focus(j.find("text", field, within=dialog))
        j.keys("<Control>a")
        j.type(value)
    path = os.path.join(j.folder, "dump.pdf")
    print_to(j, path)
    j.wait_message("Print buffer complete", timeout=30)
    assert open(path, "rb").read(5) == b"%PDF-", f"{path} is no PDF file"
    assert any(line.startswith(" Printing buffer : 0x0100-0x01FF -> ") for line in j.messages()), j.messages()

    # /sys takes no new file, not even from root.
    j.menu("File", "Print")
    dialog = print_to(j, "/sys/zav-dump.pdf")
    j.wait_message("Print failed : ", timeout=30)
    assert not os.path.exists("/sys/zav-dump.pdf")
    j.press("push button", "Cancel", within=dialog)
    j.wait_message("Print Job Interrupted")
