"""Names are data: a layout name that holds a return must never reach the CAD host's command line as
commands of its own. Each case is an attack through Blattwart's own menus in the real blattwart
against a real cadhost; the effect checked is that no file was written and nothing changed in the
host."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
BOX = "Blattwart für AutoCAD 2007"


def hostile(victim):
    """A name that, sent unescaped, ends its answer and saves the drawing over the victim's path."""
    return "EG Lage\r_saveas\r%s\rJ" % victim


def drawing_with_layout(path, name):
    """A drawing written by ezdxf whose one paper-space layout has the name given. ezdxf refuses a
    return in a name, so a placeholder of the same text is replaced in the file: a DXF reader keeps a
    return inside a value."""
    placeholder = "PLATZHALTER"
    script = ("import ezdxf, sys\n"
              "doc = ezdxf.new('R2000')\n"
              "doc.layouts.rename('Layout1', sys.argv[2])\n"
              "doc.saveas(sys.argv[1])\n")
    subprocess.run(["/usr/bin/python3", "-c", script, path, placeholder], check=True, timeout=60)
    with open(path, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        f.write(data.replace(placeholder.encode(), name.encode("utf-8")))


class TestInjection(unittest.TestCase):
    def test_hostile_layout_name_copied_and_saved_as_template(self):
        with Desktop() as d:
            product = d.product_copy()
            library = os.path.join(product, "Bibliothek", "Vorlagen")
            victim = os.path.join(d.folder, "opfer.txt")
            name = hostile(victim)
            drawing = os.path.join(d.folder, "Angriff.dwg")
            drawing_with_layout(drawing, name)
            d.start_cadhost()
            d.host("/Documents", "Documents", "Open", drawing)
            self.assertIn(name, d.host_documents()["Angriff.dwg"][2])
            d.start_blattwart(product)
            d.activate("Blattwart")
            d.click(APP, "table cell", name)
            wait_for(lambda: "Layout-Details:" in d.texts(APP, "label"), "the layout selected")

            # "Kopieren": the proposed name holds the return and is refused; a clean one is typed, and
            # the copy of the hostile source is refused with the layout named.
            d.key("ctrl+c")
            d.activate("Layout kopieren")
            d.retype("Plan")
            d.key("alt+f")
            text = d.message_saying(APP, BOX, "Steuerzeichen", "EG Lage<CR>_saveas")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "injection-copy.png"))
            self.assertNotIn("\r", text)

            # "Layout in Vorlage" from the toolbar, named in the tree.
            d.activate("Blattwart")
            d.click(APP, "table cell", name)
            time.sleep(0.5)
            d.activate("Blattwart")
            d.click(APP, "push button", "Layout in Vorlage")
            d.retype("Neu")
            d.key("Return")
            d.message_saying(APP, BOX, "Steuerzeichen")

            time.sleep(2.0)  # anything sent would have run by now
            self.assertFalse(os.path.exists(victim))
            self.assertFalse(os.path.exists(os.path.join(library, "Neu.dwt")))
            self.assertEqual(d.host_documents()["Angriff.dwg"][2], ["Model", name])
            history = "\n".join(d.host_value("/Application", "Application", "CommandHistory")[0])
            self.assertNotIn("_saveas", history)

if __name__ == "__main__":
    unittest.main()
