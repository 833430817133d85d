#!/usr/bin/env python3
"""Reads and drives the program through the accessibility bus (AT-SPI).

atspi_probe.py press NAME
    Presses the push button of that name in the running program.
atspi_probe.py rows
    Prints one line per row of the drive list (the list whose rows begin with "C:\\"):
    name, description (line breaks as " / ") and the row's centre on the screen "x,y", TAB-separated.
Exits 2 when the program or the control is not (yet) on the bus.
"""
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def descendants(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for index in range(node.get_child_count()):
        yield from descendants(node.get_child_at_index(index), depth + 1)


def program_nodes():
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(index)
        if app is not None and app.get_name().lower().startswith("wakelatch"):
            yield from descendants(app)


def press(name):
    for node in program_nodes():
        if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name() == name:
            node.get_action_iface().do_action(0)
            return 0
    return 2


def rows():
    for node in program_nodes():
        if node.get_role() not in (Atspi.Role.LIST, Atspi.Role.LIST_BOX, Atspi.Role.TABLE, Atspi.Role.TREE_TABLE):
            continue
        cells = [node.get_child_at_index(i) for i in range(node.get_child_count())]
        cells = [cell for cell in cells if cell is not None and cell.get_name()]
        if not any(cell.get_name().startswith("C:\\") for cell in cells):
            continue
        for cell in cells:
            box = cell.get_extents(Atspi.CoordType.SCREEN)
            description = cell.get_description().replace("\n", " / ")
            print(f"{cell.get_name()}\t{description}\t{box.x + box.width // 2},{box.y + box.height // 2}")
        return 0
    return 2


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "press":
        sys.exit(press(sys.argv[2]))
    if len(sys.argv) == 2 and sys.argv[1] == "rows":
        sys.exit(rows())
    sys.exit(__doc__)
