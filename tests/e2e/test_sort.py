"""Order in the real blattwart with a real cadhost: a drawing's layouts in the host's tab order in tree
and list, the list's header sort in natural order, "Registerreihenfolge" back to tab order."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
DRAWING = "Reihenfolge.dwg"
# The tab order: neither alphabetical nor natural.
TABS = ["Blatt3", "Blatt11", "Blatt1", "Blatt12", "Blatt2", "Blatt10",
        "Blatt4", "Blatt9", "Blatt5", "Blatt8", "Blatt6", "Blatt7"]
NATURAL = ["Blatt%d" % i for i in range(1, 13)]


def drawing_with_tabs(path, names):
    """A drawing written by ezdxf with its paper-space layouts created in the order given."""
    script = ("import ezdxf, sys\n"
              "doc = ezdxf.new('R2000')\n"
              "names = sys.argv[2:]\n"
              "doc.layouts.rename('Layout1', names[0])\n"
              "for name in names[1:]:\n"
              "    doc.layouts.new(name)\n"
              "doc.saveas(sys.argv[1])\n")
    subprocess.run(["/usr/bin/python3", "-c", script, path, *names], check=True, timeout=60)


def cells_in(d, container, role):
    """The names of the accessibles of that role inside the accessible named container, in order."""
    found = []

    def visit(node, depth):
        if (node.name or "") != container or node.getRoleName() not in ("tree", "tree table", "table", "list"):
            return None
        stack = [node]
        while stack:
            current = stack.pop(0)
            for i in range(current.childCount):
                child = current.getChildAtIndex(i)
                if child is None:
                    continue
                if child.getRoleName() == role:
                    found.append(child.name or "")
                stack.append(child)
        # The list's icon view and its details view share the name: both are looked into.
        return None

    d._walk(APP, visit)
    return found


def layouts_in(d, container, role):
    return [name for name in cells_in(d, container, role) if name in TABS]


class TestSort(unittest.TestCase):
    def test_tab_order_natural_sort_and_back(self):
        with Desktop() as d:
            drawing = os.path.join(d.folder, DRAWING)
            drawing_with_tabs(drawing, TABS)
            d.start_cadhost()
            d.host("/Documents", "Documents", "Open", drawing)
            d.start_blattwart(d.product_copy())
            d.activate("Blattwart")
            wait_for(lambda: len(layouts_in(d, "Zeichnungen/Layouts", "table cell")) == 12, "the layouts in the tree")
            self.assertEqual(layouts_in(d, "Zeichnungen/Layouts", "table cell"), TABS)

            # The drawing's list, in details: tab order, with the tab numbers in "Register".
            d.click(APP, "table cell", DRAWING)
            wait_for(lambda: "Layouts:" in d.texts(APP, "label"), "the drawing's layouts listed")
            d.key("alt+a")
            d.key("d")
            wait_for(lambda: d.find(APP, "table column header", "Register"), "the details with Register")
            wait_for(lambda: len(layouts_in(d, "Layouts", "table cell")) == 12, "the layouts in the list")
            self.assertEqual(layouts_in(d, "Layouts", "table cell"), TABS)
            numbers = [n for n in cells_in(d, "Layouts", "table cell") if n.isdigit()]
            self.assertEqual(numbers, [str(i) for i in range(1, 13)])

            # A click on the name's header: natural order, "Blatt2" before "Blatt10"; a second one
            # turns it round.
            d.click(APP, "table column header", "Bezeichnung")
            wait_for(lambda: layouts_in(d, "Layouts", "table cell") == NATURAL, "the natural order")
            d.click(APP, "table column header", "Bezeichnung")
            wait_for(lambda: layouts_in(d, "Layouts", "table cell") == NATURAL[::-1], "the order turned round")

            # "Registerreihenfolge" in "Ansicht" gives the tab order back.
            d.key("alt+a")
            d.key("r")
            wait_for(lambda: layouts_in(d, "Layouts", "table cell") == TABS, "the tab order again")
            # The tree kept its order throughout.
            self.assertEqual(layouts_in(d, "Zeichnungen/Layouts", "table cell"), TABS)


if __name__ == "__main__":
    unittest.main()
