"""Details, drawing operations and the product's macros in the real blattwart against a real cadhost:
clicks in the tree, commands from the menu by their keys, effects checked in the host."""

import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"


class TestOperations(unittest.TestCase):
    def setUp(self):
        self.d = Desktop()
        self.project = os.path.join(self.d.folder, "Projekt")
        os.makedirs(self.project)
        library = os.path.join(self.d.bin, "Bibliothek", "Vorlagen")
        self.nord = os.path.join(self.project, "Wohnhaus Nord.dwg")
        self.details = os.path.join(self.project, "Details Treppe.dwg")
        shutil.copy(os.path.join(library, "Bestand EG.dwg"), self.nord)
        shutil.copy(os.path.join(library, "Detailblatt.dwg"), self.details)
        self.d.start_cadhost()
        self.d.host("/Documents", "Documents", "Open", self.nord)
        self.d.host("/Documents", "Documents", "Open", self.details)
        self.blattwart = self.d.start_blattwart()
        self.d.activate("Blattwart")
        wait_for(lambda: "Details Treppe.dwg" in self.cells(), "the drawings in the tree")

    def tearDown(self):
        self.d.close(failed=any(e for _, e in self._outcome.result.failures + self._outcome.result.errors
                                if _ is self))

    def cells(self):
        return self.d.texts(APP, "table cell")


    def test_details_close_and_model_space(self):
        d = self.d
        # A click on a layout shows its details: plotter and the viewport with its scale.
        d.click(APP, "table cell", "Detail Attika")
        wait_for(lambda: "DWG To PDF.pc3" in self.cells(), "the layout's plotter in the details")
        self.assertTrue(any("(1:50)" in c for c in self.cells()), self.cells())
        d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "details.png"))

        # "&Modellbereich" from "&Datei" on a drawing that is not the active one.
        self.assertNotEqual(d.host_documents()["Wohnhaus Nord.dwg"][0], "Model")
        d.click(APP, "table cell", "Wohnhaus Nord.dwg")
        time.sleep(0.5)
        d.key("alt+d")
        d.key("m")
        wait_for(lambda: d.host_documents()["Wohnhaus Nord.dwg"][:2] == ("Model", 1), "model space in the host")

        # "S&chließen": the drawing leaves the host, and the tree after the watch.
        d.click(APP, "table cell", "Details Treppe.dwg")
        time.sleep(0.5)
        d.key("alt+d")
        d.key("c")
        wait_for(lambda: "Details Treppe.dwg" not in d.host_documents(), "the drawing closed in the host")
        d.other_window()
        d.activate("Andere Anwendung")
        time.sleep(1.0)
        d.activate("Blattwart")
        wait_for(lambda: "Details Treppe.dwg" not in self.cells(), "the closed drawing gone from the tree")
        self.assertIn("Wohnhaus Nord.dwg", self.cells())


if __name__ == "__main__":
    unittest.main()
