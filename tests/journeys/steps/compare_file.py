"""File > Compare With File marks the cells where the buffer differs from a file without
loading it; F8 goes to them and Verify Differences lists them with the file's values."""

import os

from zavjourney import tasks


def run(j):
    path = os.path.join(j.folder, "part.hex")
    with open(path, "w", encoding="ascii", newline="\r\n") as hex_file:
        hex_file.write(":02010000A55AFE\n:00000001FF\n")
    tasks.select_device(j, "MC68HC05B6", "MC68HC05B6")
    j.menu("File", "Compare With File ...")
    tasks.type_file_name(j, "Open", path)
    j.wait_message("2 cells differ, first at 0x0100")
    editor, hex_pane = tasks.show_editor(j)
    assert j.cell(hex_pane, 0x0100).name == "0x0100: 00"
    description = j.cell(hex_pane, 0x0100).description
    assert description == "file A5", f"a reader hears the mark on 0x0100 as '{description}'"
    j.keys("<Control>End")
    j.keys("F8")
    assert tasks.focused_cell_name(j, hex_pane, 0x0100) == "0x0100: 00"
    j.keys("F8")
    assert tasks.focused_cell_name(j, hex_pane, 0x0101) == "0x0101: 00"
    window = j.window("Verify Differences")
    differences = j.find("tree", "Differences", within=window)
    assert [h.name for h in j.find_all("table column header", differences)] == ["Address", "Buffer", "File"]
    cells = [cell.name for cell in j.find_all("table cell", differences)]
    assert cells == ["0x0100", "0x00", "0xA5", "0x0101", "0x00", "0x5A"], cells
