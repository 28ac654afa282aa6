"""A copy series that the stopped cadhost cuts short: the real blattwart says how many of how many
copies were made and why, and the host holds what it said."""

import os
import re
import signal
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from batches import APP, BOX, DRAWING, copy_layout, open_drawing, stop_after  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402


class TestCutShort(unittest.TestCase):
    def test_a_copy_series_cut_short_says_how_far_it_came(self):
        with Desktop() as d:
            host = open_drawing(d)
            before = d.host_documents()[DRAWING][2]
            copy_layout(d, "Detail Attika", "Plan", "50")
            # The mark that opens the batch and the copies: the host stops at the 20th command, which
            # may or may not have been answered.
            stop_after(d, host, 20)
            d.key("alt+f")
            try:
                d.window(BOX, timeout=30)
                text = wait_for(lambda: next((t for t in d.texts(APP, "label") if "Kopien erstellt" in t), None),
                                "the message")
                d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "cut-short.png"))
            finally:
                os.kill(host.pid, signal.SIGCONT)
            match = re.search(r"(\d+) von 50 Kopien erstellt: Der CAD-Host antwortet nicht\.", text)
            self.assertTrue(match, text)
            made = int(match.group(1))
            self.assertGreaterEqual(made, 18)
            self.assertLess(made, 50)
            d.key("Return")

            # The host holds what the message said; the command that was under way when it stopped
            # may still arrive.
            def plans():
                return [n for n in d.host_documents()[DRAWING][2] if n.startswith("Plan")]
            time.sleep(2.0)
            self.assertIn(len(plans()), (made, made + 1))
            self.assertEqual(len(d.host_documents()[DRAWING][2]), len(before) + len(plans()))
            # Away and back in Blattwart, the tree shows the host's copies.
            d.other_window()
            d.activate("Andere Anwendung")
            time.sleep(1.2)  # away for more than a tick of the watch
            d.activate("Blattwart")
            wait_for(lambda: all(p in d.texts(APP, "table cell") for p in plans()), "the copies in the tree")


if __name__ == "__main__":
    unittest.main()
