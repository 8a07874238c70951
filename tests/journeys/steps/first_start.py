"""First start: the main window alone, at its place, "No device selected"; a hex editor left
on a screen that is gone comes back onto this one."""

import pyatspi

from zavjourney.finders import JourneyFailure


def on_screen(window):
    x, y, width, height = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if x < 0 or y < 0 or x + width > 1280 or y + height > 1024 or width < 100 or height < 100:
        raise JourneyFailure(f"'{window.name}' lies at {x},{y} {width}x{height}, not on the 1280x1024 screen")
    return x, y


def run(j):
    main = j.main_window()
    device = j.find("text", "Device", within=main)
    assert device.queryText().getText(0, -1) == "No device selected", device.queryText().getText(0, -1)
    on_screen(main)
    titles = [j.application().getChildAtIndex(i).name for i in range(j.application().childCount)]
    assert titles == ["ZAV Zoruruzad Irodozeziz"], f"at first start the program shows {titles}"

    # The editor shown at the last close, on a monitor that is gone since.
    j.menu("File", "Exit")
    j.desktop.wait_ended()
    settings = f"{j.folder}/config/zav/zozadav.ini"
    lines = [line for line in open(settings, encoding="latin-1").read().splitlines()
             if not line.startswith(("H_WIN_POS_LEFT=", "H_WIN_VISIBLE="))]
    open(settings, "w", encoding="latin-1").write("\n".join(lines + ["H_WIN_POS_LEFT=5000", "H_WIN_VISIBLE=1"]) + "\n")
    j.desktop.start()
    on_screen(j.window("Hex Editor", contains=True))
