"""Names are data: a library file or folder whose name holds a return must never reach the CAD host's
command line as commands of its own. The attacks go through Blattwart's own menus in the real
blattwart against a real cadhost; the effect checked is that no file was written and nothing changed
in the host."""

import os
import shutil
import sqlite3
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
BOX = "Blattwart für AutoCAD 2007"


class TestInjectionLibrary(unittest.TestCase):
    def test_hostile_library_file_and_folder(self):
        with Desktop() as d:
            product = d.product_copy()
            # A name cannot hold a "/": these victims are saved beside the drawing.
            victims = ["opfer1.txt", "opfer2.txt"]
            # The library's folder holds a return in its name, and a file in it does as well.
            folder = os.path.join(product, "Bib\r_saveas\r%s\rJ" % victims[0])
            shutil.copytree(os.path.join(product, "Bibliothek", "Vorlagen"), folder)
            with sqlite3.connect(os.path.join(product, "Kvarto.mdb")) as db:
                db.execute("UPDATE Typen SET Verzeichnis = ? WHERE TypenId = 1", (folder,))
            drawing = os.path.join(d.folder, "Plan.dwg")
            shutil.copy(os.path.join(folder, "Detailblatt.dwg"), drawing)
            d.start_cadhost()
            d.host("/Documents", "Documents", "Open", drawing)
            layouts = d.host_documents()["Plan.dwg"][2]
            d.start_blattwart(product)
            d.activate("Blattwart")
            wait_for(lambda: "Detailblatt.dwg" in d.texts(APP, "table cell"), "the library listed")

            # A hostile file arrives in the library; F5 leaves it out with one message that names it.
            evil = "CR\r_saveas\r%s\rJ\r.dwt" % victims[1]
            shutil.copy(os.path.join(folder, "Detailblatt.dwg"), os.path.join(folder, evil))
            # A name from another system's code page is no UTF-8: it is named, not silently missing.
            shutil.copy(os.path.join(folder, "Detailblatt.dwg"), os.path.join(folder.encode(), b"Gr\xfcn.dwg"))
            d.key("F5")
            d.message_saying(APP, BOX, "nicht angezeigt", "CR<CR>_saveas<CR>", "Gr\ufffdn.dwg")
            d.activate("Blattwart")
            d.key("F5")
            time.sleep(1.0)
            self.assertEqual(d.xdotool("search", "--onlyvisible", "--name", "^%s$" % BOX), "", "reported once")
            self.assertFalse([t for t in d.texts(APP, "table cell") if t.startswith("CR")])

            # "Layout einfügen ..." from a template's popup: its path holds the folder's return.
            d.click(APP, "table cell", "Detailblatt.dwg")
            time.sleep(0.5)
            d.activate("Blattwart")
            d.key("Menu")
            time.sleep(0.5)
            d.key("End")    # "DesignCenter ..."
            d.key("Up")     # "Layout einfügen ..."
            d.key("Return")
            d.message_saying(APP, BOX, "Steuerzeichen", "Bib<CR>_saveas")

            # "DesignCenter" from the toolbar with the library selected: the folder itself.
            d.activate("Blattwart")
            d.click(APP, "table cell", "Bibliothek")
            time.sleep(0.5)
            d.activate("Blattwart")
            d.click(APP, "push button", "DesignCenter")
            d.message_saying(APP, BOX, "Steuerzeichen", "Bib<CR>_saveas")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "injection-library.png"))

            time.sleep(2.0)
            for victim in victims:
                for where, _, files in os.walk(d.folder):
                    self.assertNotIn(victim, files, where)
                self.assertFalse(os.path.exists(victim), victim)
            self.assertEqual(d.host_documents()["Plan.dwg"][2], layouts)
            history = "\n".join(d.host_value("/Application", "Application", "CommandHistory")[0])
            self.assertNotIn("_saveas", history)


if __name__ == "__main__":
    unittest.main()
