"""Select a device and read it: Device ID, the board and the device, then Read ON and Start
on the Read Sequence page, and the read's messages."""

from zavjourney import tasks


def run(j):
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    tasks.show_page(j, "Read Sequence")
    tasks.switch_on(j, "Read")
    start = tasks.start(j)
    j.wait_message("Read Sequence completed successful.")
    j.wait_name(start, "Start")
    assert any("is the simulated board" in line for line in j.messages()), j.messages()
    assert not any("Error" in line for line in j.messages()), j.messages()
