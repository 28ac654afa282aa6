"""A stopped CAD host costs the real blattwart one call timeout per user action, then it reports once;
the host that continues is used again at the next key."""

import os
import shutil
import signal
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402

APP = "blattwart"
BOX = "Blattwart für AutoCAD 2007"


class TestHungHost(unittest.TestCase):
    def test_one_timeout_per_key_and_back_after_sigcont(self):
        with Desktop() as d:
            drawing = os.path.join(d.folder, "Details Treppe.dwg")
            shutil.copy(os.path.join(d.bin, "Bibliothek", "Vorlagen", "Detailblatt.dwg"), drawing)
            host = d.start_cadhost()
            d.host("/Documents", "Documents", "Open", drawing)
            d.start_blattwart()
            d.activate("Blattwart")
            d.click(APP, "table cell", "Geladene Zeichnungen")
            wait_for(lambda: "Zeichnungen:" in d.texts(APP, "label"), "the drawings root selected")

            os.kill(host.pid, signal.SIGSTOP)
            try:
                started = time.monotonic()
                d.key("Down")
                d.window(BOX, timeout=15)
                waited = time.monotonic() - started
                d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "hung.png"))
                # One call timeout (5 s) for the whole key, not one per call; generous for a loaded machine.
                self.assertLess(waited, 8.0)
                self.assertIn("Der CAD-Host antwortet nicht.", " ".join(d.texts(APP, "label")))
                d.key("Return")
                time.sleep(1.0)
                self.assertEqual(d.xdotool("search", "--onlyvisible", "--name", "^%s$" % BOX), "")
            finally:
                os.kill(host.pid, signal.SIGCONT)

            # The next key asks the host again, and it answers.
            d.activate("Blattwart")
            d.key("Down")
            time.sleep(2.0)
            self.assertEqual(d.xdotool("search", "--onlyvisible", "--name", "^%s$" % BOX), "")


if __name__ == "__main__":
    unittest.main()
