"""The template library of the real blattwart is watched instead of listed on every return to the
window: a template added there still shows after a return, and one added while the window is in
front after F5 ("Aktualisieren")."""

import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"


class TestLibraryWatch(unittest.TestCase):
    def test_new_template_after_return_and_f5(self):
        with Desktop() as d:
            product = d.product_copy()
            library = os.path.join(product, "Bibliothek", "Vorlagen")
            sample = os.path.join(library, "Detailblatt.dwg")
            d.start_cadhost()
            d.start_blattwart(product)
            d.activate("Blattwart")
            wait_for(lambda: "Detailblatt.dwg" in d.texts(APP, "table cell"), "the library in the tree")

            # Added while another window is in front: shown on return.
            d.other_window()
            d.activate("Andere Anwendung")
            shutil.copy(sample, os.path.join(library, "Neuer Plan 2.dwg"))
            time.sleep(1.2)
            d.activate("Blattwart")
            wait_for(lambda: "Neuer Plan 2.dwg" in d.texts(APP, "table cell"), "the new template after return")

            # Added while Blattwart is in front: nothing refreshes by itself; F5 shows it.
            shutil.copy(sample, os.path.join(library, "Neuer Plan 10.dwg"))
            time.sleep(1.5)
            self.assertNotIn("Neuer Plan 10.dwg", d.texts(APP, "table cell"))
            d.key("F5")
            wait_for(lambda: "Neuer Plan 10.dwg" in d.texts(APP, "table cell"), "the new template after F5")
            # In the library's natural order.
            shown = [t for t in d.texts(APP, "table cell") if t.startswith("Neuer Plan")]
            self.assertEqual(shown, ["Neuer Plan 2.dwg", "Neuer Plan 10.dwg"])


if __name__ == "__main__":
    unittest.main()
