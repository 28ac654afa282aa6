"""Copy and rename layouts in the real blattwart against a real cadhost, from the keyboard: Ctrl+C and
the copy dialog's fields, "&Umbenennen" and the tree's edit; effects checked in the host."""

import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from batches import copy_layout  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"


class TestCopyRename(unittest.TestCase):
    def test_copy_twice_then_rename_the_copy(self):
        with Desktop() as d:
            drawing = os.path.join(d.folder, "Details Treppe.dwg")
            shutil.copy(os.path.join(d.bin, "Bibliothek", "Vorlagen", "Detailblatt.dwg"), drawing)
            d.start_cadhost()
            d.host("/Documents", "Documents", "Open", drawing)
            d.start_blattwart()
            d.activate("Blattwart")
            copy_layout(d, "Detail Attika", "Plan", "2")
            d.key("alt+f")

            def plans():
                return sorted(n for n in d.host_documents()["Details Treppe.dwg"][2] if n.startswith("Plan"))
            wait_for(lambda: len(plans()) == 2, "two copies in the host")
            copies = plans()
            wait_for(lambda: all(c in d.texts(APP, "table cell") for c in copies), "the copies in the tree")
            # The first copy is the current layout.
            wait_for(lambda: d.host_documents()["Details Treppe.dwg"][0] == copies[0], "the first copy current")

            # "&Umbenennen" from "&Layout" edits the selected layout's name in the tree. The copy left
            # the user in the CAD program; back to Blattwart first.
            time.sleep(1.0)
            d.activate("Blattwart")
            d.click(APP, "table cell", copies[1])
            time.sleep(0.5)
            d.activate("Blattwart")
            d.key("alt+l")
            # "&Umbenennen" shares its key with "Auswahl &umkehren": the key marks it, Return chooses.
            d.key("u")
            d.key("Return")
            time.sleep(0.5)
            d.retype("Treppe Schnitt")
            d.key("Return")
            wait_for(lambda: "Treppe Schnitt" in d.host_documents()["Details Treppe.dwg"][2], "renamed in the host")
            self.assertNotIn(copies[1], d.host_documents()["Details Treppe.dwg"][2])
            wait_for(lambda: "Treppe Schnitt" in d.texts(APP, "table cell"), "renamed in the tree")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "renamed.png"))


if __name__ == "__main__":
    unittest.main()
