"""The sheet list in the real blattwart against a real cadhost with the sample library's drawings
loaded: opened from "&Extras" by the keyboard, its rows and marks, the filter, a double click that
makes a layout current in the host, and the refresh on the way back that keeps filter and selection."""

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
            d.start_blattwart()
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


if __name__ == "__main__":
    unittest.main()
