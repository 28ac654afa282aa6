"""What the desktop tests of drawings and batches share: one drawing opened in a real cadhost, the
real blattwart showing it, the copy dialog filled, and a watch that stops the host after a number of
commands."""

import os
import shutil
import signal
import subprocess
import threading
import time

from desktop import wait_for

APP = "blattwart"
BOX = "Blattwart für AutoCAD 2007"
DRAWING = "Details Treppe.dwg"


def open_drawing(d):
    drawing = os.path.join(d.folder, DRAWING)
    shutil.copy(os.path.join(d.bin, "Bibliothek", "Vorlagen", "Detailblatt.dwg"), drawing)
    host = d.start_cadhost()
    d.host("/Documents", "Documents", "Open", drawing)
    d.start_blattwart()
    d.activate("Blattwart")
    wait_for(lambda: DRAWING in d.texts(APP, "table cell"), "the drawing in the tree")
    return host


def stop_after(d, host, calls):
    """Stops the host (SIGSTOP) once Blattwart has sent it that many commands."""
    watcher = subprocess.Popen(["dbus-monitor", "--address", d.env["DBUS_SESSION_BUS_ADDRESS"],
                                "type='method_call',member='SendCommand'"], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, env=d.env)
    d.monitors.append(watcher)
    time.sleep(0.5)

    def watch():
        seen = 0
        for line in watcher.stdout:
            if line.startswith(b"method call"):
                seen += 1
                if seen == calls:
                    os.kill(host.pid, signal.SIGSTOP)
                    return
    threading.Thread(target=watch, daemon=True).start()


def copy_layout(d, layout, name, count):
    """Selects the layout in the tree and fills "Layout kopieren" (Ctrl+C opens it, the name field has
    the focus, Tab leads to the count); the caller finishes it."""
    d.click(APP, "table cell", layout)
    wait_for(lambda: "Layout-Details:" in d.texts(APP, "label"), "the layout selected")
    d.key("ctrl+c")
    d.activate("Layout kopieren")
    d.retype(name)
    d.key("Tab")
    d.retype(count)
