"""The watch of the real blattwart: its own timer, a real cadhost, window switching on a real desktop."""

import os
import shutil
import signal
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

# The box is titled "Blattwart für AutoCAD 2007: AutoCAD ist nicht aktiv!".
PROMPT_TITLE = ".*: AutoCAD ist nicht aktiv!"


class TestWatch(unittest.TestCase):
    def test_return_refreshes_once_and_notices_a_lost_host(self):
        with Desktop() as d:
            project = os.path.join(d.folder, "Projekt")
            os.makedirs(project)
            drawing = os.path.join(project, "Wohnhaus Nord.dwg")
            shutil.copy(os.path.join(d.bin, "Bibliothek", "Vorlagen", "Detailblatt.dwg"), drawing)
            host = d.start_cadhost()
            blattwart = d.start_blattwart()
            d.activate("Blattwart")
            wait_for(lambda: "Geladene Zeichnungen" in d.texts("blattwart", "table cell"), "the tree")

            # In front, the watch makes no call at all.
            calls = d.monitor("type='method_call',path_namespace='/Application'",
                              "type='method_call',path_namespace='/Documents'",
                              "type='method_call',path_namespace='/Layouts'")
            time.sleep(2.0)
            self.assertEqual(calls.count(), 0)

            # A drawing opened in the host while another window is in front shows on return, with
            # one refresh.
            refreshes = d.monitor("type='method_call',member='Snapshots'")
            d.other_window()
            d.activate("Andere Anwendung")
            d.host("/Documents", "Documents", "Open", drawing)
            time.sleep(1.2)
            self.assertNotIn("Wohnhaus Nord.dwg", d.texts("blattwart", "table cell"))
            d.activate("Blattwart")
            wait_for(lambda: "Wohnhaus Nord.dwg" in d.texts("blattwart", "table cell"), "the new drawing")
            time.sleep(1.5)
            self.assertEqual(refreshes.count(), 1)
            d.screenshot(os.path.join(d.folder, "refreshed.png"))

            # A host that has gone meanwhile is noticed on return: the start prompt; No ends Blattwart.
            d.activate("Andere Anwendung")
            os.kill(host.pid, signal.SIGKILL)
            wait_for(lambda: not d.has_owner("de.velmora.CadHost.AutoCAD_Application_18"), "the host gone")
            time.sleep(1.2)  # away for more than a tick of the watch
            d.activate("Blattwart", then=PROMPT_TITLE)
            self.assertIn("Soll AutoCAD gestartet werden? Mit 'Nein' wird der Blattwart geschlossen!",
                          d.texts("blattwart", "label"))
            d.key("alt+n")
            self.assertEqual(blattwart.wait(10), 0)


if __name__ == "__main__":
    unittest.main()
