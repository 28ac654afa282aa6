"""The programs of the Debian package as a user starts them: the command on the PATH of the unpacked
package (package_deb unpacks it), no CAD host yet, so the start prompt; "Ja" starts the package's own
cadhost. Then the desktop comforts: F5 refreshes once, and a name the tree cuts off shows in full as the
tooltip."""

import os
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import HOST_NAME, Desktop, wait_for  # noqa: E402

ROOT = os.environ["BW_PACKAGE_ROOT"]
LONG_NAME = "Wohnanlage Nord, Bauabschnitt 3, Ausführungsplanung der Tiefgarage mit Zufahrt.dwg"


def shown_long_names(d):
    """How often the window shows the long name outside the tree: as a tool tip, or as the text of
    the tool tip's label."""
    return sum(1 for role, name, _ in d.accessible("blattwart") if role == "tool tip" and name == LONG_NAME) + \
        d.documents("blattwart").count(LONG_NAME)


class TestInstalled(unittest.TestCase):
    def test_installed_program_finds_its_folders_refreshes_on_f5_and_shows_cut_off_names(self):
        with Desktop() as d:
            # The prompt comes at once; a window mapped before openbox manages the screen may stay
            # unseen, so the window manager is awaited first.
            wait_for(lambda: "window id #" in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=d.env, capture_output=True, text=True).stdout,
                "the window manager")
            env = dict(d.env)
            env.pop("KVARTO_PROGRAM_DIR", None)
            d._spawn([os.path.join(ROOT, "usr/bin/blattwart")], "blattwart", env)
            # The first start of freshly unpacked files reads them from the disk: more time.
            d.window(".*: AutoCAD ist nicht aktiv!", timeout=60)
            d.activate(".*: AutoCAD ist nicht aktiv!")
            d.key("alt+j")
            wait_for(lambda: d.has_owner(HOST_NAME), "the package's cadhost on the bus")
            pid = d.bus("call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                        "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.GetConnectionUnixProcessID",
                        HOST_NAME).strip("(),").split()[-1]
            self.assertEqual(os.readlink("/proc/%s/exe" % pid), os.path.join(ROOT, "usr/lib/blattwart/cadhost"))

            # The library of the installed product folder.
            d.activate("Blattwart")
            wait_for(lambda: "A3 quer.dwt" in d.texts("blattwart", "table cell"), "the library's templates")

            # A drawing opened in the host while Blattwart stays in front: F5 shows it, with one refresh.
            drawing = os.path.join(d.folder, LONG_NAME)
            shutil.copy(os.path.join(ROOT, "usr/share/blattwart/Bibliothek/Vorlagen/Detailblatt.dwg"), drawing)
            refreshes = d.monitor("type='method_call',member='Snapshots'")
            d.host("/Documents", "Documents", "Open", drawing)
            time.sleep(1.2)
            self.assertNotIn(LONG_NAME, d.texts("blattwart", "table cell"))
            d.activate("Blattwart")
            d.key("F5")
            wait_for(lambda: LONG_NAME in d.texts("blattwart", "table cell"), "the drawing after F5")
            time.sleep(1.5)
            self.assertEqual(refreshes.count(), 1)

            # The tree cuts the long name off; resting the mouse on it shows it whole.
            import pyatspi

            node = d.find("blattwart", "table cell", LONG_NAME)
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            self.assertLess(box.width, len(LONG_NAME) * 5, "the tree shows the name whole")
            before = shown_long_names(d)
            d.xdotool("mousemove", "--sync", str(box.x + 30), str(box.y + box.height // 2))
            wait_for(lambda: shown_long_names(d) > before, "the tooltip", timeout=10)
            d.screenshot(os.path.join(d.folder, "installed.png"))


if __name__ == "__main__":
    unittest.main()
