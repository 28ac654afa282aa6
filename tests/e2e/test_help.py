"""Help and about box of the real blattwart, from its keys and menus: the topics, what they tell, and
the maker's topic from the modal about box in front of it."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Desktop, wait_for  # noqa: E402


class TestHelp(unittest.TestCase):
    def test_f1_and_the_menu_open_their_topics_in_one_window(self):
        with Desktop() as d:
            d.start_cadhost()
            blattwart = d.start_blattwart()
            d.activate("Blattwart")
            wait_for(lambda: "Geladene Zeichnungen" in d.texts("blattwart", "table cell"), "the tree")

            d.key("F1")
            d.window(HELP_TITLE)
            wait_for(lambda: "Zurück zum Inhalt" in self.page(d), "topic Kvarto_32 on F1")

            # "KV+ &Hilfe" from the "&?" menu by its keys: the contents, in the same window.
            d.activate("Blattwart")
            d.key("alt+question")
            d.key("Return")
            wait_for(lambda: "Der Blattwart gehört zu Kvarto" in self.page(d), "topic Kvarto_1 from the menu")
            self.assertEqual(len(d.xdotool("search", "--onlyvisible", "--name", "^%s$" % HELP_TITLE).split()), 1)
            # The contents tell of what the program has: F5 and the sheet list.
            for told in ("Aktualisieren (F5)", "Blattliste im Menü Extras"):
                self.assertIn(told, " ".join(self.page(d).split()))
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "help.png"))
            self.assertIsNone(blattwart.poll())

            # "Herstellerinformationen" of the modal about box: the topic comes up in front of the
            # box, in the window that takes the keys.
            d.activate("Blattwart")
            d.key("alt+question")
            d.key("o")
            d.window(ABOUT_PATTERN)
            d.click("blattwart", "push button", "Herstellerinformationen", window=ABOUT_TITLE)
            wait_for(lambda: "Velmora Software" in self.page(d), "topic Kvarto_17")
            help_window = d.window(HELP_TITLE)
            wait_for(lambda: d.xdotool("getactivewindow") == help_window, "the help in front of the about box")
            d.screenshot(os.path.join(os.environ.get("HOME", d.folder), "help-about.png"))
            d.click("blattwart", "push button", "OK", window=ABOUT_TITLE)
            wait_for(lambda: not d.xdotool("search", "--onlyvisible", "--name", "^%s$" % ABOUT_PATTERN),
                     "the about box closed")
            self.assertTrue(d.xdotool("search", "--onlyvisible", "--name", "^%s$" % HELP_TITLE))

    @staticmethod
    def page(d):
        """The text of the help window's page, as a screen reader reads it."""
        return "\n".join(d.documents("blattwart"))


HELP_TITLE = "Kvarto - Hilfe"
ABOUT_TITLE = "Info zum KV+ -Blattwart"
ABOUT_PATTERN = "Info zum KV\\+ -Blattwart"  # the title as xdotool's regular expression

if __name__ == "__main__":
    unittest.main()
