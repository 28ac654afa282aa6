"""A layout saved as a library template from the real blattwart: the toolbar's button, the name typed
into the tree, the file written by a real cadhost into the library folder."""

import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"


class TestTemplates(unittest.TestCase):
    def test_layout_saved_as_template(self):
        with Desktop() as d:
            product = d.product_copy()
            library = os.path.join(product, "Bibliothek", "Vorlagen")
            drawing = os.path.join(d.folder, "Details Treppe.dwg")
            shutil.copy(os.path.join(library, "Detailblatt.dwg"), drawing)
            d.start_cadhost()
            d.host("/Documents", "Documents", "Open", drawing)
            d.start_blattwart(product)
            d.activate("Blattwart")
            d.click(APP, "table cell", "Detail Attika")
            wait_for(lambda: "Layout-Details:" in d.texts(APP, "label"), "the layout selected")
            d.activate("Blattwart")
            d.click(APP, "push button", "Layout in Vorlage")
            d.retype("Treppe Detail")
            d.key("Return")
            target = os.path.join(library, "Treppe Detail.dwt")
            wait_for(lambda: os.path.exists(target), "the template written into the library")
            d.activate("Blattwart")
            wait_for(lambda: "Treppe Detail.dwt" in d.texts(APP, "table cell"), "the template in the tree")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "template.png"))
            layouts = d.host_value("/Documents", "Documents", "Open", target)
            self.assertTrue(layouts)
            self.assertIn("Detail Attika", d.host_documents()["Treppe Detail.dwt"][2])


if __name__ == "__main__":
    unittest.main()
