"""Ctrl+Z in the real blattwart takes its last batch, a numbered rename, back in the real cadhost."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from batches import APP, DRAWING, open_drawing  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402


class TestUndo(unittest.TestCase):
    def test_ctrl_z_takes_a_numbered_rename_back(self):
        with Desktop() as d:
            open_drawing(d)
            before = d.host_documents()[DRAWING][2]
            d.click(APP, "table cell", DRAWING)
            wait_for(lambda: "Layouts:" in d.texts(APP, "label"), "the drawing's layouts in the list")
            d.click(APP, "list item", before[1])
            time.sleep(0.5)
            d.key("ctrl+a")
            time.sleep(0.5)
            d.key("F2")
            d.activate("Layouts mehrfach umbenennen")
            d.retype("Blatt")
            d.key("alt+f")
            renamed = ["Model"] + ["Blatt%d" % i for i in range(1, len(before))]
            wait_for(lambda: d.host_documents()[DRAWING][2] == renamed, "renamed in the host")
            d.activate("Blattwart")
            wait_for(lambda: "Blatt1" in d.texts(APP, "table cell"), "renamed in the tree")
            d.key("ctrl+z")
            wait_for(lambda: d.host_documents()[DRAWING][2] == before, "the old names in the host")
            wait_for(lambda: before[1] in d.texts(APP, "table cell"), "the old names in the tree")
            self.assertNotIn("Blatt1", d.texts(APP, "table cell"))
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "undone.png"))


if __name__ == "__main__":
    unittest.main()
