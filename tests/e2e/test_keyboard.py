"""The real blattwart against a real cadhost, driven from the keyboard alone: the popup menu of a
layout on the Menu key, "Kopieren" from it, the copy dialog's fields, then F2 on the copy; then the
list's popup from the mouse. The effects are checked in the host."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
DRAWING = "Details Treppe.dwg"


class TestKeyboard(unittest.TestCase):
    def test_copy_from_the_popup_then_rename_with_f2(self):
        with Desktop() as d:
            d.start_with_sample("Detailblatt.dwg", DRAWING)
            layouts = d.host_documents()[DRAWING][2]
            self.assertIn("Detail Attika", layouts)
            d.choose_node(APP, "Detail Attika")

            # The Menu key opens the layout's popup; its access key K chooses "Kopieren".
            d.key("Menu")
            time.sleep(0.7)
            d.key("k")
            d.activate("Layout kopieren")
            d.retype("Plan")
            d.key("Tab")
            d.retype("1")
            d.key("alt+f")

            def plans():
                return [n for n in d.host_documents()[DRAWING][2] if n.startswith("Plan")]
            wait_for(lambda: len(plans()) == 1, "the copy in the host")
            copy = plans()[0]
            wait_for(lambda: copy in d.texts(APP, "table cell"), "the copy in the tree")

            # The copy left the user in the CAD program; back to Blattwart, to the copy, F2.
            time.sleep(1.0)
            d.activate("Blattwart")
            d.choose_node(APP, copy)
            d.key("F2")
            time.sleep(0.5)
            d.retype("Treppe Schnitt")
            d.key("Return")
            wait_for(lambda: "Treppe Schnitt" in d.host_documents()[DRAWING][2], "renamed in the host")
            after = d.host_documents()[DRAWING][2]
            self.assertNotIn(copy, after)
            self.assertEqual(len(after), len(layouts) + 1)
            wait_for(lambda: "Treppe Schnitt" in d.texts(APP, "table cell"), "renamed in the tree")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "keyboard.png"))

            # The list's popup, asked for with the mouse on an icon: "Umbenennen" edits the name in
            # the list.
            d.click(APP, "table cell", DRAWING)
            wait_for(lambda: "Layouts:" in d.texts(APP, "label"), "the drawing's layouts in the list")
            d.click(APP, "list item", "Detail Sockel")
            time.sleep(0.5)
            d.xdotool("click", "3")
            time.sleep(0.7)
            d.key("u")
            time.sleep(0.5)
            d.retype("Sockel Nord")
            d.key("Return")
            wait_for(lambda: "Sockel Nord" in d.host_documents()[DRAWING][2], "renamed from the list")
            self.assertNotIn("Detail Sockel", d.host_documents()[DRAWING][2])


if __name__ == "__main__":
    unittest.main()
