"""Peer side of the DXF tests: ezdxf (Debian's python3-ezdxf) reads and writes drawings.

  audit FILE         read in normal mode, audit, print the layouts, viewports and inserts as JSON
  write FILE [VER] [FORM]  write a drawing with layouts, Kvarto viewports and block references (default
                     R2000); FORM changes the bytes as other programs write them: "comment" (a 999
                     comment first), "cr" (CR line ends), "cp1252" (Windows-1252 text under a version
                     that says UTF-8), "cp1251" (code page ANSI_1251 and a Cyrillic layout name),
                     "omega" (a layout name that Windows-1252 lacks a character of: ezdxf's \\U+ escape)
  read FILE          read without the audit (which recurses through nested blocks), print the layout
                     names and the count of blocks as JSON
  deep FILE LEVELS   write a template whose layout "Tief" inserts a block nested LEVELS deep
  bench FILE         time a normal-mode read, print seconds
"""
import json
import sys
import time

import ezdxf


def describe(doc, auditor):
    layouts = []
    for name in doc.layouts.names_in_taborder():
        layout = doc.layouts.get(name)
        dxf = layout.dxf_layout.dxf
        entities = []
        for e in layout:
            item = {"type": e.dxftype(), "handle": e.dxf.handle}
            if e.dxftype() == "VIEWPORT":
                item["id"] = e.dxf.id
                item["customScale"] = e.dxf.height / e.dxf.view_height if e.dxf.view_height else 0
            if e.dxftype() == "INSERT":
                item["name"] = e.dxf.name
            if e.has_xdata("Kvarto"):
                item["kvarto"] = [[code, str(value)] for code, value in e.get_xdata("Kvarto")]
            entities.append(item)
        layouts.append({
            "name": name,
            "taborder": dxf.taborder,
            "plotter": dxf.get("plot_configuration_file", ""),
            "media": dxf.get("paper_size", ""),
            "width": dxf.get("paper_width", 0),
            "height": dxf.get("paper_height", 0),
            "rotation": dxf.get("plot_rotation", 1),
            "plotType": dxf.get("plot_type", 5),
            "style": dxf.get("current_style_sheet", ""),
            "flags": dxf.get("plot_layout_flags", 688),
            "standardScale": dxf.get("standard_scale_type", 16),
            "scaleNumerator": dxf.get("scale_numerator", 1.0),
            "scaleDenominator": dxf.get("scale_denominator", 1.0),
            "entities": entities,
        })
    return {
        "errors": len(auditor.errors),
        "errorTexts": [str(e) for e in auditor.errors],
        "fixes": len(auditor.fixes),
        "layouts": layouts,
        "active": doc.layouts.active_layout().name,
        "modelspace": len(doc.modelspace()),
        "blocks": {b.name: len(b) for b in doc.blocks if not b.name.startswith("*")},
    }


def audit(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    print(json.dumps(describe(doc, auditor), ensure_ascii=False))


def write(path, version="R2000", form="plain"):
    doc = ezdxf.new(version)
    doc.appids.new("Kvarto")
    doc.blocks.new("KV_Stempel_A3").add_line((0, 0), (70, 0))
    doc.modelspace().add_line((0, 0), (10, 5))
    doc.modelspace().add_circle((3, 3), 2)
    first = doc.layouts.get("Layout1")
    first.page_setup(size=(420, 297), margins=(0, 0, 0, 0), units="mm", device="DWG To PDF.pc3")
    if form == "cp1251":
        doc.encoding = "cp1251"  # written as $DWGCODEPAGE ANSI_1251
    second = doc.layouts.new({"cp1251": "Лист Nord", "omega": "Ω Süd"}.get(form, "Süd Ansicht"))
    second.page_setup(size=(297, 210), margins=(0, 0, 0, 0), units="mm", device="DWG To PDF.pc3")
    for layout, scale in ((first, 100), (second, 250)):
        vp = layout.add_viewport(center=(150, 120), size=(200, 160), view_center_point=(50, 40),
                                 view_height=160 * scale / 1000.0)
        vp.set_xdata("Kvarto", [(1071, 0), (1005, "1"), (1071, 21), (1005, "0"), (1071, 121), (1000, "Grundriss")])
        ref = layout.add_blockref("KV_Stempel_A3", (340, 10))
        ref.set_xdata("Kvarto", [(1071, 0), (1005, "8"), (1071, 81), (1005, "3")])
    doc.saveas(path)
    reform(path, form)


def read(path):
    doc = ezdxf.readfile(path)
    blocks = sum(1 for b in doc.blocks if not b.name.startswith("*"))
    print(json.dumps({"layouts": list(doc.layouts.names_in_taborder()), "blocks": blocks}, ensure_ascii=False))


def reform(path, form):
    if form in ("plain", "cp1251", "omega"):
        return
    with open(path, "rb") as f:
        data = f.read()
    if form == "comment":
        data = b"999\nvon ezdxf_peer geschrieben\n" + data
    elif form == "cr":
        data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r")
    elif form == "cp1252":
        data = data.decode("utf-8").encode("cp1252")
    else:
        raise SystemExit("unknown form " + form)
    with open(path, "wb") as f:
        f.write(data)


def deep(path, levels):
    doc = ezdxf.new("R2000")
    previous = doc.blocks.new("Ebene0")
    previous.add_line((0, 0), (1, 0))
    for level in range(1, int(levels)):
        block = doc.blocks.new("Ebene%d" % level)
        block.add_blockref(previous.name, (0, 0))
        previous = block
    layout = doc.layouts.new("Tief")
    layout.add_blockref(previous.name, (10, 10))
    doc.saveas(path)


def sheets(path, count="1"):
    """Sheets of known geometry for the plot tests: "Blatt1" is A3 landscape with a 1:50 viewport on
    a 5000-unit model line (100 mm on paper from (160, 150) to (260, 150)), a title, one entity of each
    kind and a hatch the host skips; "Blatt2" is A4 portrait with a circle; further sheets copy Blatt1."""
    doc = ezdxf.new("R2010")
    doc.modelspace().add_line((0, 0), (5000, 0))
    cross = doc.blocks.new("Kreuz")
    cross.add_line((-5, 0), (5, 0))
    cross.add_line((0, -5), (0, 5))
    names = ["Blatt%d" % (i + 1) for i in range(max(2, int(count)))]
    for name in names:
        layout = doc.layouts.new(name)
        a4 = name == "Blatt2"
        layout.page_setup(size=(210, 297) if a4 else (420, 297), margins=(0, 0, 0, 0), units="mm",
                          rotation=0 if a4 else 1, scale=16, name="ISO_full_bleed_A4" if a4 else "ISO_full_bleed_A3",
                          device="DWG To PDF.pc3")
        if a4:
            layout.add_circle((105, 148), 50)
            continue
        layout.add_viewport(center=(210, 160), size=(200, 100), view_center_point=(2500, 500), view_height=5000)
        layout.add_text("Titel", dxfattribs={"height": 5, "insert": (300, 20)})
        layout.add_circle((60, 240), 15)
        layout.add_arc((140, 240), 15, 0, 90)
        layout.add_lwpolyline([(20, 60, 0, 0, 1), (60, 60, 0, 0, 0)], format="xyseb")
        layout.add_blockref("Kreuz", (380, 260), dxfattribs={"xscale": 2, "yscale": 2})
        layout.add_mtext("{\\fArial|b1;Zeile} 1\\PZeile 2", dxfattribs={"char_height": 4, "insert": (20, 120)})
        layout.add_hatch().paths.add_polyline_path([(300, 100), (320, 100), (320, 120)])
    if "Layout1" in doc.layouts:
        doc.layouts.delete("Layout1")
    doc.saveas(path)


def plotbench(path, sheets="3", entities="2000"):
    """A drawing as plots see them: a model of lines, arcs, circles, polylines and texts, and sheets
    with a 1:100 viewport, a title block of lines and texts and a few notes."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    for i in range(int(entities)):
        x, y = (i * 37) % 40000, (i * 53) % 30000
        kind = i % 5
        if kind == 0:
            msp.add_line((x, y), (x + 800, y + 300))
        elif kind == 1:
            msp.add_circle((x, y), 150)
        elif kind == 2:
            msp.add_arc((x, y), 200, 30, 240)
        elif kind == 3:
            msp.add_lwpolyline([(x, y, 0, 0, 0.4), (x + 500, y, 0, 0, 0), (x + 500, y + 400, 0, 0, 0)], format="xyseb")
        else:
            msp.add_text("Raum %d" % i, dxfattribs={"height": 250, "insert": (x, y)})
    title = doc.blocks.new("Schriftfeld")
    for row in range(8):
        title.add_line((0, row * 8), (180, row * 8))
        title.add_text("Feld %d" % row, dxfattribs={"height": 3, "insert": (2, row * 8 + 2)})
    for col in (0, 60, 120, 180):
        title.add_line((col, 0), (col, 56))
    for n in range(int(sheets)):
        layout = doc.layouts.new("Blatt%d" % (n + 1))
        layout.page_setup(size=(420, 297), margins=(0, 0, 0, 0), units="mm", rotation=1, scale=16,
                          name="ISO_full_bleed_A3", device="DWG To PDF.pc3")
        layout.add_viewport(center=(210, 170), size=(400, 240), view_center_point=(20000 + n * 1000, 15000),
                            view_height=24000)
        layout.add_blockref("Schriftfeld", (230, 5))
        for k in range(5):
            layout.add_mtext("Hinweis %d\\Pzweite Zeile" % k, dxfattribs={"char_height": 2.5, "insert": (10, 40 - k * 7)})
    doc.saveas(path)


def bench(path):
    start = time.perf_counter()
    ezdxf.readfile(path)
    print(time.perf_counter() - start)


if __name__ == "__main__":
    {"audit": audit, "read": read, "write": write, "deep": deep, "bench": bench,
     "sheets": sheets, "plotbench": plotbench}[sys.argv[1]](*sys.argv[2:])
