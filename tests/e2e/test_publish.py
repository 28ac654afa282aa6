"""Publishing through the real blattwart against a real cadhost that plots: two drawings written with
ezdxf (a 100 mm line seen through a 1:50 viewport on an A3 landscape sheet, a title text, an A4
upright sheet) are chosen in the sheet list and published as one PDF and as one PDF per sheet. The
PDFs have the pages in sheet order at their paper sizes, and pdftoppm finds the line where the geometry
puts it, within 1 mm. The large-icon list shows the layouts' pictures, asked of the host once until the
drawing changes."""

import glob
import os
import re
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
LIST = "Blattliste"
DIALOG = "Veröffentlichen"
BOX = "Blattwart für AutoCAD 2007"
DPI = 150
MM = DPI / 25.4

WRITE = """import ezdxf, sys
doc = ezdxf.new('R2010')
doc.modelspace().add_line((0, 0), (5000, 0))
a3 = doc.layouts.new('Blatt1')
a3.page_setup(size=(420, 297), margins=(0, 0, 0, 0), units='mm', rotation=1, scale=16,
              name='ISO_full_bleed_A3', device='DWG To PDF.pc3')
# 100 mm wide, 5000 units high: 1:50. Model (0, 0) lands at (160, 150), (5000, 0) at (260, 150).
a3.add_viewport(center=(210, 160), size=(200, 100), view_center_point=(2500, 500), view_height=5000)
a3.add_text('Titel', dxfattribs={'height': 5, 'insert': (300, 20)})
a4 = doc.layouts.new('Blatt2')
a4.page_setup(size=(210, 297), margins=(0, 0, 0, 0), units='mm', rotation=0, scale=16,
              name='ISO_full_bleed_A4', device='DWG To PDF.pc3')
a4.add_circle((105, 148), 50)
doc.layouts.delete('Layout1')
doc.saveas(sys.argv[1])
"""


def page_sizes(path):
    """The pages' sizes in mm, as pdfinfo gives them."""
    out = subprocess.run(["pdfinfo", "-f", "1", "-l", "99", path], check=True, capture_output=True, text=True,
                         timeout=60).stdout
    return [(float(w) / 72 * 25.4, float(h) / 72 * 25.4)
            for w, h in re.findall(r"Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts", out)]


def dark_pixels(path, folder):
    """The first page rendered in grey at DPI: (width, height, set of dark (x, y) pixels)."""
    stem = os.path.join(folder, "seite")
    subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", "-f", "1", "-l", "1", "-singlefile", path, stem],
                   check=True, timeout=60)
    with open(stem + ".pgm", "rb") as f:
        data = f.read()
    magic, width, height, depth, pixels = re.match(rb"(P5)\s+(\d+)\s+(\d+)\s+(\d+)\s(.*)", data, re.S).groups()
    width, height = int(width), int(height)
    return width, height, {(i % width, i // width) for i, v in enumerate(pixels[:width * height]) if v < 128}


class TestPublish(unittest.TestCase):
    def cells(self, window=LIST):
        return self.d.texts(APP, "table cell", window)

    def summary(self):
        return " ".join(t for t in self.d.texts(APP, "label", LIST) if "Layouts in" in t)

    def publish(self, one_file, out):
        """Opens "Veröffentlichen ..." from the sheet list with every row chosen and publishes."""
        d = self.d
        d.activate(LIST)
        d.click(APP, "table cell", "Blatt1", window=LIST)
        time.sleep(0.3)
        d.key("ctrl+a")
        time.sleep(0.3)
        d.click(APP, "push button", "Veröffentlichen ...", window=LIST)
        d.window(DIALOG)
        d.click(APP, "text", "Zielordner", window=DIALOG)
        d.retype(out)
        d.click(APP, "radio button",
                "Eine PDF-Datei mit allen Blättern" if one_file else "Eine PDF-Datei je Blatt", window=DIALOG)
        if one_file:
            d.click(APP, "text", "Dateiname", window=DIALOG)
            d.retype("Satz.pdf")
        time.sleep(0.5)
        d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "veroeffentlichen.png"))
        d.activate(DIALOG)
        d.key("alt+v")
        return d.message_saying(APP, BOX, "4 Blätter veröffentlicht")

    def test_publish_and_pictures(self):
        with Desktop() as d:
            self.d = d
            out = os.path.join(d.folder, "Ausgabe")
            os.mkdir(out)
            for name in ("Plan.dwg", "Zweit.dwg"):
                subprocess.run(["/usr/bin/python3", "-c", WRITE, os.path.join(d.folder, name)], check=True,
                               timeout=60)
            d.start_cadhost()
            for name in ("Plan.dwg", "Zweit.dwg"):
                d.host("/Documents", "Documents", "Open", os.path.join(d.folder, name))
            previews = d.monitor("type='method_call',member='Preview'")
            d.start_blattwart()
            d.activate("Blattwart")
            wait_for(lambda: "Plan.dwg" in d.texts(APP, "table cell"), "the drawings in the tree")

            # The large-icon list shows each layout's picture, asked of the host once.
            for name in ("Zweit.dwg", "Plan.dwg"):
                d.click(APP, "table cell", name)
                time.sleep(2)
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "vorschau.png"))
            asked = previews.count()
            self.assertGreaterEqual(asked, 4, "the pictures of both drawings asked of the host")
            for name in ("Zweit.dwg", "Plan.dwg"):
                d.click(APP, "table cell", name)
                time.sleep(1)
            self.assertEqual(previews.count(), asked, "an unchanged drawing's pictures come from the cache")

            # One PDF: four pages in sheet order at their paper sizes, the line where it belongs.
            d.key("alt+e")
            time.sleep(0.5)
            d.key("Down")
            d.key("Return")
            d.window(LIST)
            wait_for(lambda: "4 Layouts in 2 Zeichnungen" in self.summary(), "every sheet listed")
            self.publish(True, out)
            satz = os.path.join(out, "Satz.pdf")
            sizes = page_sizes(satz)
            self.assertEqual(len(sizes), 4)
            for (w, h), (want_w, want_h) in zip(sizes, [(420, 297), (210, 297)] * 2):
                self.assertAlmostEqual(w, want_w, delta=0.5)
                self.assertAlmostEqual(h, want_h, delta=0.5)
            width, height, dark = dark_pixels(satz, d.folder)
            y = lambda mm: round(height - mm * MM)  # noqa: E731
            # The row at 150 mm, between the viewport's side edges (110 and 310 mm).
            row = sorted(x for x, yy in dark if abs(yy - y(150)) <= 2 and 115 * MM < x < 305 * MM)
            self.assertTrue(row, "no line at 150 mm")
            self.assertAlmostEqual(row[0] / MM, 160, delta=1)
            self.assertAlmostEqual(row[-1] / MM, 260, delta=1)
            column = [yy for x, yy in dark if abs(x - 210 * MM) <= 1 and 115 * MM < height - yy < 205 * MM]
            self.assertTrue(column, "no line at 210 mm")
            self.assertAlmostEqual((height - sum(column) / len(column)) / MM, 150, delta=1)

            # One PDF per sheet, named by the pattern; nothing half-written stays.
            self.publish(False, out)
            files = sorted(os.path.basename(p) for p in glob.glob(os.path.join(out, "*")))
            self.assertEqual(files, ["Plan - Blatt1.pdf", "Plan - Blatt2.pdf", "Satz.pdf", "Zweit - Blatt1.pdf",
                                     "Zweit - Blatt2.pdf"])
            self.assertEqual(glob.glob(os.path.join(out, ".*")), [])
            self.assertEqual(len(page_sizes(os.path.join(out, "Zweit - Blatt2.pdf"))), 1)

            # A changed drawing's pictures are asked anew.
            d.activate("Blattwart")
            asked = previews.count()
            (snapshots,) = d.host_value("/Documents", "Documents", "Snapshots")
            plan = next(ref[0] for ref, *_ in snapshots if ref[1] == "Plan.dwg")
            d.host("/Documents", "Documents", "SendCommand", str(plan), "_layout\r_rename\rBlatt2\rBlatt 2\r")
            d.click(APP, "table cell", "Zweit.dwg")
            time.sleep(1)
            d.click(APP, "table cell", "Plan.dwg")
            wait_for(lambda: previews.count() > asked, "the changed drawing's pictures asked anew")


if __name__ == "__main__":
    unittest.main()
