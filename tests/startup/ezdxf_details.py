"""Writes the drawing of the details end-to-end test with ezdxf (Debian's python3-ezdxf):

  ezdxf_details.py FILE

Two layouts with plot settings, named viewports at two scales each with "Kvarto" data, and block
references carrying "Kvarto" data: a title block whose number the sample definitions know, a north
arrow whose number they do not know, and a title block numbered 0 that does not count.
"""
import sys

import ezdxf


def kvarto(*pairs):
    tags = []
    for typ, value in pairs:
        tags.append((1071, typ))
        tags.append((1005 if typ < 100 else 1000, str(value)))
    return tags


def viewport(layout, name, scale, x):
    vp = layout.add_viewport(center=(x, 150), size=(100, 80), view_center_point=(50, 40),
                             view_height=80 * scale / 1000.0)
    vp.set_xdata("Kvarto", kvarto((0, 1), (21, 0), (121, name)))


def plot(layout, media, size, rotation, plot_type, style):
    layout.page_setup(size=size, margins=(0, 0, 0, 0), units="mm", device="DWG To PDF.pc3",
                      name=media, rotation=rotation)
    dxf = layout.dxf_layout.dxf
    dxf.plot_type = plot_type
    dxf.current_style_sheet = style


def write(path):
    doc = ezdxf.new("R2010")
    doc.appids.new("Kvarto")
    for name in ("KV_SF_A3", "KV_NP", "KV_SF_ALT"):
        doc.blocks.new(name).add_line((0, 0), (20, 0))
    doc.modelspace().add_line((0, 0), (100, 50))

    first = doc.layouts.get("Layout1")
    first.rename("Grundriss EG")
    plot(first, "ISO_full_bleed_A3", (420, 297), 1, 4, "monochrome.ctb")
    viewport(first, "Grundriss", 100, 120)
    viewport(first, "Detail Treppe", 25, 300)
    first.add_blockref("KV_SF_ALT", (300, 10)).set_xdata("Kvarto", kvarto((0, 8), (81, 2)))
    first.add_blockref("KV_SF_A3", (340, 10)).set_xdata("Kvarto", kvarto((0, 8), (81, 1)))
    first.add_blockref("KV_SF_ALT", (360, 10)).set_xdata("Kvarto", kvarto((0, 8), (81, 0)))
    first.add_blockref("KV_NP", (400, 250)).set_xdata("Kvarto", kvarto((0, 9), (91, 77)))

    second = doc.layouts.new("Lageplan")
    plot(second, "ISO_full_bleed_A4", (210, 297), 0, 1, "")
    second.add_viewport(center=(105, 150), size=(150, 200), view_center_point=(0, 0),
                        view_height=200 * 500 / 1000.0)
    doc.saveas(path)


if __name__ == "__main__":
    write(sys.argv[1])
