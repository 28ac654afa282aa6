"""A host that has gone and is started again from the real blattwart's start prompt ("Ja") has no
drawings: the tree drops the old ones, and the file can be opened again."""

import os
import signal
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from batches import APP, DRAWING, open_drawing  # noqa: E402
from desktop import HOST_NAME, Desktop, wait_for  # noqa: E402

PROMPT_TITLE = "Blattwart für AutoCAD 2007: AutoCAD ist nicht aktiv!"


class TestRestartedHost(unittest.TestCase):
    def test_the_old_drawings_leave_the_tree(self):
        with Desktop() as d:
            host = open_drawing(d)
            d.other_window()
            d.activate("Andere Anwendung")
            os.kill(host.pid, signal.SIGKILL)
            wait_for(lambda: not d.has_owner(HOST_NAME), "the host gone")
            time.sleep(1.2)  # away for more than a tick of the watch
            d.activate("Blattwart", then=PROMPT_TITLE)
            d.key("alt+j")
            wait_for(lambda: d.has_owner(HOST_NAME), "the new host on the bus")
            wait_for(lambda: d.host_documents() == {}, "the new host without drawings")
            wait_for(lambda: DRAWING not in d.texts(APP, "table cell"), "the old drawing gone from the tree")
            self.assertIn("Geladene Zeichnungen", d.texts(APP, "table cell"))
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "restarted.png"))


if __name__ == "__main__":
    unittest.main()
