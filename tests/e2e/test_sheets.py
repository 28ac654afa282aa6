"""The sheet list in the real blattwart against a real cadhost with the sample library's drawings
loaded: opened from "&Extras" by the keyboard, its rows and marks, the filter, a double click that
makes a layout current in the host, and the refresh on the way back that keeps filter and selection;
how a screen reader meets it, DXF's "no plotter", and the size and column width it opens with again."""

import glob
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
LIST = "Blattliste"


class TestSheets(unittest.TestCase):
    def cells(self):
        return self.d.texts(APP, "table cell", LIST)

    def summary(self):
        return " ".join(t for t in self.d.texts(APP, "label", LIST) if "Layouts in" in t)

    def selected(self, name):
        import pyatspi

        node = self.d.find(APP, "table cell", name, LIST)
        return node is not None and node.getState().contains(pyatspi.STATE_SELECTED)

    def test_sheet_list(self):
        with Desktop() as d:
            self.d = d
            # Every drawing and template of the sample library, as copies the host may change.
            library = os.path.join(d.bin, "Bibliothek", "Vorlagen")
            files = sorted(glob.glob(os.path.join(library, "*.dw[gt]")))
            self.assertGreaterEqual(len(files), 4)
            d.start_cadhost()
            for source in files:
                target = os.path.join(d.folder, os.path.basename(source))
                shutil.copy(source, target)
                d.host("/Documents", "Documents", "Open", target)
            documents = d.host_documents()
            sheets = sum(len([n for n in layouts if n != "Model"]) for _a, _s, layouts in documents.values())
            blattwart = d.start_blattwart()
            d.activate("Blattwart")
            wait_for(lambda: "Geladene Zeichnungen" in d.texts(APP, "table cell"), "the tree")

            # "Blattliste ..." is the second entry of "&Extras".
            d.key("alt+e")
            time.sleep(0.5)
            d.key("Down")
            d.key("Return")
            d.window(LIST)
            wait_for(lambda: "%d Layouts in %d Zeichnungen" % (sheets, len(documents)) in self.summary(),
                     "the summary of every sheet")
            cells = self.cells()
            for name in ("Detailblatt.dwg", "Bestand EG.dwg", "EG Grundriss", "Detail Sockel",
                         "Schriftfeld A3 quer", "Nicht vorhanden", "Querformat", "Kein", "Grundriss (1:100)"):
                self.assertIn(name, cells)
            # The library's sheets that fail a check: a layout without a title block, layouts without
            # a plot style table, and the A3 title block on the A2 sheet.
            self.assertRegex(self.summary(), r"[1-9]\d* ohne Stempelfeld")
            self.assertRegex(self.summary(), r"[1-9]\d* ohne Plotstiltabelle")
            self.assertRegex(self.summary(), r"[1-9]\d* mit Stempelfeld auf anderer Papiergröße")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "blattliste.png"))

            # The filter narrows the rows by any column.
            d.key("alt+f")
            d.xdotool("type", "--delay", "20", "detail")
            wait_for(lambda: "EG Grundriss" not in self.cells(), "the rows filtered")
            self.assertIn("Detail Sockel", self.cells())
            self.assertIn("A3 quer Details", self.cells())

            # A double click makes the layout current in the host.
            self.assertNotEqual(d.host_documents()["Detailblatt.dwg"][0], "Detail Sockel")
            d.click(APP, "table cell", "Detail Sockel", double=True, window=LIST)
            wait_for(lambda: d.host_documents()["Detailblatt.dwg"][0] == "Detail Sockel",
                     "the layout current in the host")

            # Away to another program; a drawing opens meanwhile. Back in the list, it is read anew
            # with the filter and the selected row kept.
            d.other_window()
            d.activate("Andere Anwendung")
            added = os.path.join(d.folder, "Detailblatt 2.dwg")
            shutil.copy(os.path.join(library, "Detailblatt.dwg"), added)
            d.host("/Documents", "Documents", "Open", added)
            time.sleep(1.0)
            self.assertNotIn("Detailblatt 2.dwg", self.cells())
            d.activate(LIST)
            wait_for(lambda: "Detailblatt 2.dwg" in self.cells(), "the new drawing's sheets")
            self.assertNotIn("EG Grundriss", self.cells())
            self.assertTrue(self.selected("Detail Sockel"), "the selected sheet kept")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "blattliste-gefiltert.png"))

            # A screen reader meets a window of its own, and the filter's clear button by its name.
            self.assertIn(("frame", LIST), [(r, n) for r, n, depth in d.accessible(APP) if depth == 1])
            self.assertIsNotNone(d.find(APP, "push button", "Filter leeren", LIST))
            # One line per sheet: a row no higher than a node of the main window's tree.
            row = self.extents(d.find(APP, "table cell", "Detail Sockel", LIST))
            node = self.extents(d.find(APP, "table cell", "Geladene Zeichnungen", "Blattwart"))
            self.assertLessEqual(row.height, node.height + 4, "rows of %d px, nodes of %d" % (row.height, node.height))

            # A drawing whose layouts have DXF's "no plotter": "Kein", and counted as without one.
            unplotted = os.path.join(d.folder, "Ohne Plotter.dwg")
            with open(os.path.join(library, "Detailblatt.dwg"), "rb") as source:
                text = source.read()
            self.assertIn(b"DWG To PDF.pc3", text)
            with open(unplotted, "wb") as target:
                target.write(text.replace(b"DWG To PDF.pc3", b"none_device"))
            self.assertNotRegex(self.summary(), r"[1-9]\d* ohne Plotter")
            d.host("/Documents", "Documents", "Open", unplotted)
            d.other_window("Noch eine Anwendung")
            d.activate("Noch eine Anwendung")
            time.sleep(1.0)  # the watch notices that the list was left
            d.activate(LIST)
            d.key("alt+f")
            d.retype("Ohne Plotter")
            wait_for(lambda: "Ohne Plotter.dwg" in self.cells(), "the drawing's sheets")
            self.assertNotIn("none_device", self.cells())
            self.assertIn("Kein", self.cells())
            self.assertRegex(self.summary(), r"[1-9]\d* ohne Plotter")

            # Left with another size and a wider "Plotter" column, it opens again with both, also
            # after the program has ended and started anew.
            window = d.window(LIST)
            d.xdotool("windowsize", window, "900", "420")
            header = self.extents(wait_for(lambda: d.find(APP, "table column header", "Plotter", LIST), "the header"))
            edge = (header.x + header.width - 1, header.y + header.height // 2)
            d.xdotool("mousemove", "--sync", str(edge[0]), str(edge[1]))
            d.xdotool("mousedown", "1")
            d.xdotool("mousemove", "--sync", str(edge[0] + 60), str(edge[1]))
            d.xdotool("mouseup", "1")
            time.sleep(0.5)
            wide = self.extents(d.find(APP, "table column header", "Plotter", LIST)).width
            self.assertGreater(wide, header.width + 30)
            d.click(APP, "push button", "Schließen", window=LIST)
            wait_for(lambda: not d.xdotool("search", "--onlyvisible", "--name", "^%s$" % LIST), "the list closed")
            self.open_list()
            self.assertEqual(self.plotter_width(), wide)
            d.activate("Blattwart")
            d.key("ctrl+q")
            wait_for(lambda: blattwart.poll() is not None, "blattwart ended")
            d.start_blattwart()
            d.activate("Blattwart")
            wait_for(lambda: "Geladene Zeichnungen" in d.texts(APP, "table cell"), "the tree again")
            window = self.open_list()
            self.assertIn("Geometry: 900x420", d.xdotool("getwindowgeometry", window))
            self.assertEqual(self.plotter_width(), wide)

    def open_list(self):
        """"Blattliste ..." from the main window's "&Extras"; the list's window once it shows sheets."""
        self.d.activate("Blattwart")
        self.d.key("alt+e")
        time.sleep(0.5)
        self.d.key("Down")
        self.d.key("Return")
        window = self.d.window(LIST)
        wait_for(lambda: "Detail Sockel" in self.cells(), "the sheets")
        return window

    def plotter_width(self):
        return self.extents(self.d.find(APP, "table column header", "Plotter", LIST)).width

    @staticmethod
    def extents(node):
        import pyatspi

        return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


if __name__ == "__main__":
    unittest.main()
