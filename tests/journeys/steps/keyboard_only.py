"""Without a mouse: the message list has the focus at start, Tab goes round every control of
the main window and back, and the menus open with their Alt keys."""

import pyatspi


def focused_control(j, window):
    for node in j.find_all(None, window):
        if node.getRoleName() not in ("list item", "table cell", "page tab") and \
                node.getState().contains(pyatspi.STATE_FOCUSED):
            return f"{node.getRoleName()} '{node.name}'"
    return None


def run(j):
    main = j.main_window()
    j.wait(lambda: focused_control(j, main) == "list 'Program Messages'", "the focus on the message list at start")
    seen = []
    for _ in range(20):
        before = focused_control(j, main)
        j.keys("Tab")
        seen.append(j.wait(lambda: (lambda now: now != before and now)(focused_control(j, main)),
                           f"Tab to move on from {before}"))
        if seen[-1] == "list 'Program Messages'":
            break
    for control in ("push button 'Device ID'", "filler 'Sequences'", "check box 'Start'",
                    "list 'Program Messages'"):
        assert control in seen, f"Tab goes round {seen}, without {control}"

    j.keys("<Alt>f")
    file_menu = j.find_menu_item(j.find("menu bar", within=main), "File")
    j.wait(lambda: file_menu.getChildAtIndex(0).getState().contains(pyatspi.STATE_SHOWING), "the File menu to open")
    j.keys("Escape")
