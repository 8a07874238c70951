"""F1 opens the manual, from the hex editor as from the main window; where the desktop has no
PDF application, in the program's own help window, whose contents jump to the chapter chosen."""

from zavjourney import tasks


def page_label(j, window):
    return next(node for node in j.find_all("label", window) if (node.name or "").startswith("Page "))


def run(j):
    tasks.show_editor(j)
    j.keys("F1")
    window = j.window("User Manual", contains=True)
    label = j.wait(lambda: page_label(j, window), "the page number")
    assert label.name.startswith("Page 1 of "), label.name
    contents = j.find("tree", "Contents", within=window)
    j.choose(contents, "Settings")
    j.keys("Return")
    j.wait(lambda: not label.name.startswith("Page 1 of "), "the manual to jump to Settings")
