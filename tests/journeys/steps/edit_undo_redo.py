"""Edit bytes in the hex editor, undo and redo them key by key: the screen reader follows the cursor
cell by cell and reads each byte as typed."""

from zavjourney import tasks


def run(j):
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    editor, hex_pane = tasks.show_editor(j)
    assert tasks.focused_cell_name(j, hex_pane, 0x0100) == "0x0100: 00"
    j.type("5AC3")
    assert tasks.focused_cell_name(j, hex_pane, 0x0102) == "0x0102: 00"
    assert j.cell(hex_pane, 0x0100).name == "0x0100: 5A"
    assert j.cell(j.find("table", "Character dump", within=editor), 0x0101).name == "0x0101: \u00c3"
    # Undo takes back one key at a time.
    for address, value in ((0x0101, "C0"), (0x0101, "00"), (0x0100, "50"), (0x0100, "00")):
        j.keys("<Alt>BackSpace")
        j.wait_name(j.cell(hex_pane, address), f"0x{address:04X}: {value}")
    j.keys("<Control>y")
    j.keys("<Control>y")
    j.wait_name(j.cell(hex_pane, 0x0100), "0x0100: 5A")
    assert j.cell(hex_pane, 0x0101).name == "0x0101: 00"
