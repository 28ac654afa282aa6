"""Sheets in sheet order, through the real blattwart against a real cadhost: Alt+Up moves a tab,
"Register sortieren" sorts the tabs naturally in one step that Ctrl+Z takes back, the numbered rename
numbers in tab order with a pattern, and a layout dragged onto another drawing is copied there with
its paper-space content. Each effect is checked in the host."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
SHEETS = "Blattfolge.dwg"
OTHER = "Ziel.dwg"
# The tab order the drawing is written with: not the order of the names.
TABS = ["Blatt 10", "Blatt 2", "Übersicht", "Blatt 1", "Ansicht"]


def write_drawing(path, names, line=False):
    """A drawing written by ezdxf with paper-space layouts of those names in that tab order; with
    line, each layout holds a line in paper space."""
    script = ("import ezdxf, sys\n"
              "doc = ezdxf.new('R2000')\n"
              "names = sys.argv[3:]\n"
              "doc.layouts.rename('Layout1', names[0])\n"
              "for name in names[1:]:\n"
              "    doc.layouts.new(name)\n"
              "for i, name in enumerate(names):\n"
              "    layout = doc.layouts.get(name)\n"
              "    layout.dxf_layout.dxf.taborder = i + 1\n"
              "    if sys.argv[2] == '1':\n"
              "        layout.add_line((10, 10), (110, 10 + i))\n"
              "doc.saveas(sys.argv[1])\n")
    subprocess.run(["/usr/bin/python3", "-c", script, path, "1" if line else "0", *names], check=True,
                   timeout=60)


def paper_space_lines(path, layout):
    """The lines ezdxf reads on a layout of a saved drawing, as (start, end) pairs."""
    script = ("import ezdxf, sys\n"
              "doc = ezdxf.readfile(sys.argv[1])\n"
              "for e in doc.layouts.get(sys.argv[2]).query('LINE'):\n"
              "    print(round(e.dxf.start.x), round(e.dxf.start.y), round(e.dxf.end.x), round(e.dxf.end.y))\n")
    out = subprocess.run(["/usr/bin/python3", "-c", script, path, layout], check=True, timeout=60,
                         capture_output=True, text=True)
    return out.stdout.split("\n")[:-1]


class TestSheetOrder(unittest.TestCase):
    def test_tabs_moved_sorted_renumbered_and_copied(self):
        with Desktop() as d:
            sheets = os.path.join(d.folder, SHEETS)
            other = os.path.join(d.folder, OTHER)
            write_drawing(sheets, TABS, line=True)
            write_drawing(other, ["Deckblatt"])
            d.start_cadhost()
            d.host("/Documents", "Documents", "Open", other)
            d.host("/Documents", "Documents", "Open", sheets)
            tabs = lambda: d.host_documents()[SHEETS][2][1:]  # noqa: E731
            self.assertEqual(tabs(), TABS)
            d.start_blattwart()
            d.activate("Blattwart")
            wait_for(lambda: SHEETS in d.texts(APP, "table cell"), "the drawing in the tree")

            # Alt+Up on a layout node moves its tab one place to the front.
            d.click(APP, "table cell", "Blatt 2")
            wait_for(lambda: "Layout-Details:" in d.texts(APP, "label"), "the layout selected")
            d.key("alt+Up")
            wait_for(lambda: tabs() == ["Blatt 2", "Blatt 10", "Übersicht", "Blatt 1", "Ansicht"],
                     "Blatt 2 one tab to the front in the host")
            d.activate("Blattwart")
            d.key("alt+Down")
            wait_for(lambda: tabs() == TABS, "Blatt 2 back in its place")

            # "Register sortieren" of the drawing's popup: natural order, one step for Ctrl+Z.
            d.activate("Blattwart")
            d.click(APP, "table cell", SHEETS)
            wait_for(lambda: "Layouts:" in d.texts(APP, "label"), "the drawing's layouts in the list")
            d.key("alt+l")
            time.sleep(0.5)
            d.key("s")
            wait_for(lambda: tabs() == ["Ansicht", "Blatt 1", "Blatt 2", "Blatt 10", "Übersicht"],
                     "the tabs in natural order in the host")
            d.activate("Blattwart")
            d.key("ctrl+z")
            wait_for(lambda: tabs() == TABS, "the sort taken back in one step")

            # The numbered rename numbers in tab order, whatever the list shows, with a pattern.
            d.activate("Blattwart")
            d.click(APP, "table cell", SHEETS)
            wait_for(lambda: "Layouts:" in d.texts(APP, "label"), "the drawing's layouts in the list")
            # The first item: the large icons are layout pictures, and the list shows three of them.
            d.click(APP, "list item", "Blatt 10")
            time.sleep(0.5)
            d.key("ctrl+a")
            time.sleep(0.5)
            d.key("F2")
            d.activate("Layouts mehrfach umbenennen")
            d.retype("A-{nr:03}")
            d.key("Tab")
            d.retype("10")
            d.key("Tab")
            d.retype("10")
            time.sleep(0.5)
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "renumber.png"))
            d.key("alt+f")
            wait_for(lambda: tabs() == ["A-010", "A-020", "A-030", "A-040", "A-050"],
                     "the layouts renumbered in tab order in the host")
            # The layouts kept their tabs: the one first in tab order is the one called "Blatt 10".
            d.host("/Documents", "Documents", "Save", str(self.doc_id(d, SHEETS)))
            self.assertEqual(paper_space_lines(sheets, "A-010"), ["10 10 110 10"])
            self.assertEqual(paper_space_lines(sheets, "A-050"), ["10 10 110 14"])

            # A layout dragged onto the other drawing is copied there with its content.
            d.activate("Blattwart")
            wait_for(lambda: "A-030" in d.texts(APP, "table cell"), "the new names in the tree")
            self.drag(d, "A-030", OTHER)
            wait_for(lambda: "A-030" in d.host_documents()[OTHER][2], "the layout copied into the other drawing")
            self.assertEqual(tabs(), ["A-010", "A-020", "A-030", "A-040", "A-050"])
            d.host("/Documents", "Documents", "Save", str(self.doc_id(d, OTHER)))
            self.assertEqual(paper_space_lines(other, "A-030"), ["10 10 110 12"])
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "sheet-order.png"))

            # Dragged within the drawing's list onto another layout, a layout's tab moves before it.
            d.activate("Blattwart")
            d.click(APP, "table cell", SHEETS)
            wait_for(lambda: "Layouts:" in d.texts(APP, "label"), "the drawing's layouts in the list")
            self.drag(d, "A-030", "A-010", role="list item")
            wait_for(lambda: tabs() == ["A-030", "A-010", "A-020", "A-040", "A-050"],
                     "the tab moved by a drag in the list")

            # With Shift held, a layout dragged onto the other drawing moves there.
            d.activate("Blattwart")
            self.drag(d, "A-040", OTHER, shift=True)
            wait_for(lambda: "A-040" in d.host_documents()[OTHER][2], "the layout moved into the other drawing")
            wait_for(lambda: tabs() == ["A-030", "A-010", "A-020", "A-050"], "the layout gone from its drawing")

    def doc_id(self, d, name):
        (snapshots,) = d.host_value("/Documents", "Documents", "Snapshots")
        return next(ref[0] for ref, *_ in snapshots if ref[1] == name)

    def drag(self, d, source, target, role="table cell", shift=False):
        """Drags the tree node (or list item) source onto target with the mouse, as a user would."""
        import pyatspi

        def centre(name):
            node = wait_for(lambda: d.find(APP, role, name), name)
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            return box.x + box.width // 2, box.y + box.height // 2

        (sx, sy), (tx, ty) = centre(source), centre(target)
        d.click(APP, role, source)
        time.sleep(0.5)
        d.xdotool("mousemove", "--sync", str(sx), str(sy))
        d.xdotool("mousedown", "1")
        if shift:
            d.xdotool("keydown", "shift")
        for step in range(1, 11):
            d.xdotool("mousemove", "--sync", str(sx + (tx - sx) * step // 10), str(sy + (ty - sy) * step // 10))
            time.sleep(0.05)
        time.sleep(0.3)
        d.xdotool("mouseup", "1")
        if shift:
            d.xdotool("keyup", "shift")


if __name__ == "__main__":
    unittest.main()
