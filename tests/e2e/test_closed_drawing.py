"""A drawing closed in the host leaves the real blattwart's tree when the user comes back: a host
without drawings has an empty "Geladene Zeichnungen"."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from batches import APP, DRAWING, open_drawing  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402


class TestClosedDrawing(unittest.TestCase):
    def test_a_drawing_closed_in_the_host_leaves_the_tree(self):
        with Desktop() as d:
            open_drawing(d)
            # The only drawing, closed at the host's own command line while the user is away.
            d.other_window()
            d.activate("Andere Anwendung")
            ((documents, _active, _visible),) = d.host_value("/Application", "Application", "Snapshot")
            d.host("/Documents", "Documents", "SendCommand", documents[0][0], "_close\r")
            wait_for(lambda: d.host_documents() == {}, "the drawing closed in the host")
            time.sleep(1.2)  # away for more than a tick of the watch
            d.activate("Blattwart")
            wait_for(lambda: DRAWING not in d.texts(APP, "table cell"), "the node gone")
            self.assertIn("Geladene Zeichnungen", d.texts(APP, "table cell"))


if __name__ == "__main__":
    unittest.main()
