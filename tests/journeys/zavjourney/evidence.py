"""What a failed journey leaves in its folder: the screen and the accessibility tree of the moment."""

import pyatspi

from zavjourney.finders import LARGE


def screenshot(path):
    """Saves the whole screen as a PNG."""
    import gi
    gi.require_version("Gdk", "3.0")
    from gi.repository import Gdk
    root = Gdk.get_default_root_window()
    picture = Gdk.pixbuf_get_from_window(root, 0, 0, root.get_width(), root.get_height())
    picture.savev(path, "png", [], [])


def tree_lines(node, depth=0):
    """One line a node: role, name, description, the states that matter, its on-screen extents."""
    try:
        states = node.getState()
        marks = [name for name, state in (("focused", pyatspi.STATE_FOCUSED), ("checked", pyatspi.STATE_CHECKED),
                                          ("showing", pyatspi.STATE_SHOWING), ("disabled", None))
                 if state is not None and states.contains(state)]
        if not states.contains(pyatspi.STATE_SENSITIVE):
            marks.append("disabled")
        line = f"{'  ' * depth}{node.getRoleName()} '{node.name}'"
        if node.description:
            line += f" ({node.description})"
        yield line + (f" [{', '.join(marks)}]" if marks else "")
        count = node.childCount
    except Exception as error:  # the object went away while we looked
        yield f"{'  ' * depth}(unreadable: {error})"
        return
    if count > LARGE:
        yield f"{'  ' * (depth + 1)}({count} cells, not listed)"
        return
    for index in range(count):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from tree_lines(child, depth + 1)


def save_tree(application, path):
    with open(path, "w", encoding="utf-8") as dump:
        for line in tree_lines(application):
            dump.write(line + "\n")
