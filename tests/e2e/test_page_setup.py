"""One page setup taken over by twelve layouts in three drawings, through the real blattwart against
a real cadhost: the sheet list compares with the source ("weicht von … ab") and names what differs,
"Seite einrichten übernehmen ..." shows old → new and applies; after saving, ezdxf reads every target
with the source's values and finds nothing else changed."""

import json
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
LIST = "Blattliste"
DIALOG = "Seite einrichten übernehmen"
BOX = "Blattwart für AutoCAD 2007"
DRAWINGS = {"Haus.dwg": ["Vorbild", "H1", "H2", "H3", "H4"],
            "Garage.dwg": ["G1", "G2", "G3", "G4"],
            "Carport.dwg": ["C1", "C2", "C3", "C4"]}
SOURCE = "Vorbild"
# ezdxf adds the size to the paper's name: "ISO_full_bleed_A1_(841.00_x_594.00_MM)".
A1 = "ISO_full_bleed_A1"
A3 = "ISO_full_bleed_A3"

WRITE = """import ezdxf, sys
doc = ezdxf.new('R2000')
names = sys.argv[2:]
doc.layouts.rename('Layout1', names[0])
for name in names[1:]:
    doc.layouts.new(name)
for i, name in enumerate(names):
    layout = doc.layouts.get(name)
    layout.dxf_layout.dxf.taborder = i + 1
    if name == 'Vorbild':
        layout.page_setup(size=(841, 594), margins=(0, 0, 0, 0), units='mm', device='DWF6 ePlot.pc3',
                          name='%s', rotation=0, scale=(1, 2))
        layout.dxf_layout.dxf.plot_type = 1
        layout.dxf_layout.dxf.current_style_sheet = 'monochrome.ctb'
    else:
        layout.page_setup(size=(420, 297), margins=(0, 0, 0, 0), units='mm', device='DWG To PDF.pc3',
                          name='%s', rotation=1, scale=16)
        layout.dxf_layout.dxf.plot_type = 5
    layout.add_line((10, 10), (110, 10 + i))
doc.saveas(sys.argv[1])
""" % (A1, A3)

READ = """import ezdxf, json, sys
doc = ezdxf.readfile(sys.argv[1])
out = {}
for name in doc.layouts.names_in_taborder():
    layout = doc.layouts.get(name)
    dxf = layout.dxf_layout.dxf
    flags = dxf.get('plot_layout_flags', 688)
    standard = bool(flags & 16)
    out[name] = {
        'setup': [dxf.get('plot_configuration_file', ''), dxf.get('paper_size', ''), dxf.get('plot_rotation', 0),
                  dxf.get('current_style_sheet', ''), dxf.get('plot_type', 5), standard,
                  dxf.get('standard_scale_type', 16) if standard else
                  round(dxf.get('scale_numerator', 1) / dxf.get('scale_denominator', 1), 6)],
        'taborder': dxf.taborder,
        'lines': [[round(v, 3) for v in (e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y)]
                  for e in layout.query('LINE')],
    }
print(json.dumps(out))
"""


def python(script, *args):
    out = subprocess.run(["/usr/bin/python3", "-c", script, *args], check=True, timeout=60,
                         capture_output=True, text=True)
    return out.stdout


class TestPageSetup(unittest.TestCase):
    def cells(self, window=LIST):
        return self.d.texts(APP, "table cell", window)

    def summary(self):
        return " ".join(t for t in self.d.texts(APP, "label", LIST) if "Layouts in" in t)

    def test_page_setup_taken_over_across_drawings(self):
        with Desktop() as d:
            self.d = d
            paths = {}
            for name, layouts in DRAWINGS.items():
                paths[name] = os.path.join(d.folder, name)
                python(WRITE, paths[name], *layouts)
            before = {name: json.loads(python(READ, path)) for name, path in paths.items()}
            source = before["Haus.dwg"][SOURCE]["setup"]
            self.assertNotEqual(source, before["Garage.dwg"]["G1"]["setup"])
            d.start_cadhost()
            for path in paths.values():
                d.host("/Documents", "Documents", "Open", path)
            d.start_blattwart()
            d.activate("Blattwart")
            wait_for(lambda: "Haus.dwg" in d.texts(APP, "table cell"), "the drawings in the tree")

            # The sheet list, compared with the source: the twelve others differ, each says in what.
            d.key("alt+e")
            time.sleep(0.5)
            d.key("Down")
            d.key("Return")
            d.window(LIST)
            wait_for(lambda: "13 Layouts in 3 Zeichnungen" in self.summary(), "every sheet listed")
            d.click(APP, "table cell", SOURCE, window=LIST)
            time.sleep(0.5)
            d.click(APP, "check box", "weicht vom gewählten Blatt ab", window=LIST)
            wait_for(lambda: "Weichen von „Haus.dwg – Vorbild“ ab: 12." in self.summary(), "the comparison")
            wait_for(lambda: SOURCE not in self.cells(), "only the differing sheets shown")
            targets = [n for layouts in DRAWINGS.values() for n in layouts if n != SOURCE]
            for name in targets:
                self.assertIn(name, self.cells())
            hint = d.find(APP, "table cell", "G2", LIST).description
            self.assertIn("Plotter DWG To PDF.pc3 (dort DWF6 ePlot.pc3)", hint)
            self.assertIn("Plotstiltabelle Kein (dort monochrome.ctb)", hint)

            # All twelve chosen, the dialog from the list: the source is the sheet compared with.
            d.click(APP, "table cell", "H1", window=LIST)
            time.sleep(0.5)
            d.key("ctrl+a")
            time.sleep(0.5)
            d.click(APP, "push button", "Seite einrichten übernehmen ...", window=LIST)
            d.window(DIALOG)
            wait_for(lambda: "12 Layouts in 3 Zeichnungen werden geändert." in
                     " ".join(d.texts(APP, "label", DIALOG)), "the preview's summary")
            changes = [t for t in self.cells(DIALOG) if t.startswith("Plotter:")]
            self.assertEqual(len(changes), 12)
            self.assertIn("Plotter: DWG To PDF.pc3 → DWF6 ePlot.pc3", changes[0])
            self.assertIn("Plotmaßstab: 1:1 → 1:2", changes[0])
            self.assertIn("Quelle", self.cells(DIALOG))
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "seite-einrichten.png"))
            d.activate(DIALOG)
            d.key("alt+b")
            d.message_saying(APP, BOX, "Seite einrichten übernommen: 12 Layouts in 3 Zeichnungen.")
            wait_for(lambda: "Weichen von „Haus.dwg – Vorbild“ ab: 0." in self.summary(),
                     "no sheet differs any more")

            # Saved and read back: every target has the source's values, nothing else changed.
            (snapshots,) = d.host_value("/Documents", "Documents", "Snapshots")
            documents = {ref[1]: ref[0] for ref, *_ in snapshots}
            for name in DRAWINGS:
                d.host("/Documents", "Documents", "Save", str(documents[name]))
            for name, path in paths.items():
                after = json.loads(python(READ, path))
                self.assertEqual(list(after), list(before[name]), name)
                for layout, old in before[name].items():
                    wanted = old["setup"] if layout in (SOURCE, "Model") else source
                    self.assertEqual(after[layout]["setup"], wanted, layout)
                    self.assertEqual(after[layout]["lines"], old["lines"], layout)
                    self.assertEqual(after[layout]["taborder"], old["taborder"], layout)

            # One undo step takes back every target of a drawing.
            d.host("/Documents", "Documents", "SendCommand", str(documents["Garage.dwg"]), "_u\r")
            time.sleep(1)
            d.host("/Documents", "Documents", "Save", str(documents["Garage.dwg"]))
            undone = json.loads(python(READ, paths["Garage.dwg"]))
            for layout, old in before["Garage.dwg"].items():
                self.assertEqual(undone[layout]["setup"], old["setup"], layout)


if __name__ == "__main__":
    unittest.main()
