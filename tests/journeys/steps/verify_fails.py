"""A verify that fails: the buffer edited after programming differs from the part. The cell
is marked with the device's value, F8 goes to it, and Verify Differences lists it."""

from zavjourney import tasks


def run_steps(j, *steps):
    for step in steps:
        tasks.switch_on(j, step)
    start = tasks.start(j)
    if "Program" in steps:
        j.answer("Continue program CONFIG register ?", "No")
    j.wait_name(start, "Start", timeout=30)
    for step in steps:
        tasks.switch_off(j, step)


def run(j):
    tasks.select_device(j, "MC68HC11E9", "MC68HC11E9")
    editor, hex_pane = tasks.show_editor(j)
    j.type("5A")
    run_steps(j, "Program", "Verify")
    assert not any("Verify Error" in line for line in j.messages()), j.messages()

    tasks.go_to(j, 0xB600)
    j.focus(hex_pane)
    j.type("A5")
    run_steps(j, "Verify")
    j.wait_message("Verify Error at Address : 0xB600")
    assert any(line.startswith(" Verify failed: 1 cell differs") for line in j.messages()), j.messages()

    # The mark, as a reader hears it, and F8 to it from elsewhere.
    j.wait(lambda: j.cell(hex_pane, 0xB600).description == "device 5A", "the mark 'device 5A' on 0xB600")
    j.focus(hex_pane)
    j.keys("<Control>End")
    j.keys("F8")
    assert tasks.focused_cell_name(j, hex_pane, 0xB600) == "0xB600: A5"

    j.menu("Window", "Verify Differences")
    differences = j.find("tree", "Differences", within=j.window("Verify Differences"))
    row = [cell.name for cell in j.find_all("table cell", differences)]
    assert row == ["0xB600", "0xA5", "0x5A"], row
