"""A drafter's sheet set in the real blattwart against a real cadhost, from the keyboard: Enter on a
layout node makes it current, Del on two layouts asks first ("Nein" keeps them, "Ja" deletes them),
"Speichern" of a drawing made from a template asks the host for a file name and writes the file, and
a popup shows its captions without the menu bar's shortcut texts. Rendlo's window reads as a window
with named progress boxes. The effects are checked in the host, on disk and as a screen reader reads
the windows."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
RENDLO = "Kvarto - AutoCAD-Konfig"  # Rendlo's title, the name a screen reader knows it by
DRAWING = "Wohnhaus.dwg"


def layouts(d):
    return d.host_documents()[DRAWING][2]


def entry_width(d, caption, showing=False):
    """The width of the menu entry of that caption (one that says it is showing, the menu bar's);
    None when there is none."""
    import pyatspi

    def visit(node, depth):
        if node.getRoleName() != "menu item" or node.name != caption:
            return None
        if showing and not node.getState().contains(pyatspi.STATE_SHOWING):
            return None
        return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width
    return d._walk(APP, visit)


def box_texts(d):
    """The labels of the message boxes that are open, as a screen reader reads them."""
    return [name for role, name, _ in d.accessible(APP) if role == "label" and "löschen?" in name]


class TestSheetSet(unittest.TestCase):
    def choose_two(self, d):
        """Two layouts in the drawing's list, by clicks with Ctrl."""
        d.click(APP, "list item", "EG Grundriss")
        d.xdotool("keydown", "ctrl")
        d.click(APP, "list item", "EG Möblierung")
        d.xdotool("keyup", "ctrl")
        time.sleep(0.5)

    def test_enter_delete_save_popups_and_rendlo(self):
        with Desktop() as d:
            d.env["XDG_CONFIG_HOME"] = os.path.join(d.folder, "config")
            d.start_with_sample("Bestand EG.dwg", DRAWING)
            wait_for(lambda: DRAWING in d.texts(APP, "table cell"), "the drawing in the tree")
            before = layouts(d)
            self.assertEqual(sorted(before), ["EG Grundriss", "EG Lage", "EG Möblierung", "Model"])

            # Enter on a layout node does what its double click does: the layout is current.
            d.choose_node(APP, "EG Lage")
            self.assertNotEqual(d.host_documents()[DRAWING][0], "EG Lage")
            d.key("Return")
            wait_for(lambda: d.host_documents()[DRAWING][0] == "EG Lage", "the layout current in the host")

            # The layout's popup on the Menu key: captions alone, no "Strg+C" beside "Kopieren". An
            # entry is as wide as its menu: the popup is narrower than the menu bar's "Layout", whose
            # column of shortcut texts it would have otherwise.
            d.key("Menu")
            popup = wait_for(lambda: entry_width(d, "Kopieren"), "the popup")
            items = [name for role, name, _ in d.accessible(APP) if role == "menu item"]
            self.assertFalse([n for n in items if "Strg+" in n or "Entf" in n], items)
            d.key("Escape")
            time.sleep(0.5)
            d.key("alt+l")
            bar = wait_for(lambda: entry_width(d, "Kopieren", showing=True), "the menu bar's Layout menu")
            d.key("Escape")
            d.key("Escape")
            self.assertLess(popup + 30, bar, "popup %d px, menu %d px: shortcut texts in the popup" % (popup, bar))
            time.sleep(0.5)

            # Del on two layouts of the drawing's list asks first; "Nein" is the default.
            d.activate("Blattwart")
            d.click(APP, "table cell", DRAWING)
            wait_for(lambda: "Layouts:" in d.texts(APP, "label"), "the drawing's layouts in the list")
            self.choose_two(d)
            d.key("Delete")
            question = "2 Layouts löschen? EG Grundriss, EG Möblierung"
            wait_for(lambda: question in box_texts(d), "the question before deleting")
            d.key("Return")
            wait_for(lambda: not box_texts(d), "the question answered")
            time.sleep(1.0)
            self.assertEqual(layouts(d), before)

            # Again, "Ja": both go in the host. (Back from the box, the window is read anew.)
            d.activate("Blattwart")
            time.sleep(1.0)
            self.choose_two(d)
            d.key("Delete")
            wait_for(lambda: question in box_texts(d), "the question again")
            d.click(APP, "push button", "Ja")
            wait_for(lambda: layouts(d) == ["Model", "EG Lage"], "the layouts deleted in the host")

            # A drawing made from a template has no file: "Speichern" (Ctrl+S) goes the way of
            # "Speichern unter", and the host writes the file the user names.
            template = os.path.join(d.bin, "Bibliothek", "Vorlagen", "A3 quer.dwt")
            doc = d.host_value("/Documents", "Documents", "Add", template)[0]
            new = [name for name in d.host_documents() if name != DRAWING][0]
            time.sleep(1.0)
            d.activate("Blattwart")
            wait_for(lambda: new in d.texts(APP, "table cell"), "the new drawing in the tree")
            d.click(APP, "table cell", new)
            wait_for(lambda: "Layouts:" in d.texts(APP, "label"), "the new drawing's layouts")
            d.key("ctrl+s")
            wait_for(lambda: any(line.startswith("Zeichnungsdateiname") for line in
                                 d.host_value("/Application", "Application", "CommandHistory")[0][-2:]),
                     "the host asking for the file name")
            target = os.path.join(d.folder, "Aus Vorlage.dwg")
            d.host("/Documents", "Documents", "SendCommand", doc, '"%s\\r"' % target)
            wait_for(lambda: os.path.isfile(target), "the file on disk")
            wait_for(lambda: "Aus Vorlage.dwg" in d.host_documents(), "the drawing under its new name")
            self.assertFalse([t for t in d.texts(APP, "label") if "gespeichert" in t], "a failed save reported")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "sheet-set.png"))

            # Rendlo on the same desktop (a screen reader's client keeps to the first desktop's bus):
            # a window with named progress boxes, not a "filler".
            d._spawn([os.path.join(d.bin, "rendlo")], "rendlo")
            d.window("AutoCAD-Konfiguration")
            top = wait_for(lambda: [(r, n) for r, n, depth in d.accessible(RENDLO) if depth == 1],
                           "Rendlo's window")
            self.assertIn(("frame", "AutoCAD-Konfiguration"), top)
            names = [n for r, n, _ in d.accessible(RENDLO) if n.startswith("Fortschritt")]
            self.assertEqual(names, ["Fortschritt %d von 10" % i for i in range(1, 11)])


if __name__ == "__main__":
    unittest.main()
