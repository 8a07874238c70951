"""A sequence stopped midway: Start pressed again while the part is being read ends it with
the manual's two lines, and the button comes up."""

from zavjourney import tasks


def run(j):
    tasks.select_device(j, "TMS370Cx5x", "TMS370Cx5x (512)")
    tasks.show_page(j, "Read Sequence")
    tasks.switch_on(j, "Read")
    start = tasks.start(j)
    j.wait_name(start, "Stop")
    j.space(start, until=lambda: start.name == "Start", what="the Start button to come up")
    j.wait_message("Read Sequence Interrupted.")
    lines = j.messages()
    assert not any("completed successful" in line for line in lines), lines
    assert lines[-2:] == [" Programmer Not Ready.", " Read Sequence Interrupted."], lines
