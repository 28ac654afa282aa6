"""A desktop of its own for end-to-end tests of the real programs.

Each Desktop has a virtual screen (Xvfb) with a window manager (openbox), a private session bus with
the accessibility bus behind it, and starts the programs of this build as a user would: the windows
are real, the keys come from xdotool, and the window is read as a screen reader reads it (AT-SPI).
Nothing touches the user's home, the real session bus or /etc: ctest gives every test its own
folders (cmake/BlattwartTest.cmake), and the bus, the screen and the programs end with the Desktop.
"""

import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

HOST_NAME = "de.velmora.CadHost.AutoCAD_Application_18"
TIMEOUT = 20.0


class E2EError(AssertionError):
    pass


def wait_for(condition, what, timeout=TIMEOUT, interval=0.1):
    """Polls condition until it gives a true value, which is returned; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EError("gave up waiting for " + what)
        time.sleep(interval)


class Desktop:
    def __init__(self):
        self.bin = os.environ["BW_BIN_DIR"]
        self.folder = tempfile.mkdtemp(prefix="bw-e2e-")
        self.processes = []
        self.monitors = []
        self.env = dict(os.environ)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env["XDG_RUNTIME_DIR"] = self._mkdir("run", 0o700)
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.env["NO_AT_BRIDGE"] = "0"
        self._start_screen()
        self._start_bus()
        self._spawn(["openbox", "--sm-disable"], "openbox")
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")})

    # --- life cycle

    def _mkdir(self, name, mode=0o755):
        path = os.path.join(self.folder, name)
        os.makedirs(path, mode=mode, exist_ok=True)
        return path

    def _spawn(self, args, name, env=None):
        with open(os.path.join(self.folder, name + ".log"), "wb") as log:
            proc = subprocess.Popen(args, env=env or self.env, stdout=log, stderr=subprocess.STDOUT,
                                    stdin=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(proc)
        return proc

    def _start_screen(self):
        # Xvfb picks a free display itself and names it once it accepts connections; choosing a
        # number here raced with the desktops of other test runs on the machine, and the programs
        # then showed their windows on another run's screen.
        read, write = os.pipe()
        with open(os.path.join(self.folder, "xvfb.log"), "wb") as log:
            proc = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24", "-nolisten",
                                     "tcp"], stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                    pass_fds=(write,), start_new_session=True)
        os.close(write)
        self.processes.append(proc)
        with os.fdopen(read) as named:
            ready, _, _ = select.select([named], [], [], 10)
            number = named.readline().strip() if ready else ""
        if not number.isdigit():
            raise E2EError("no virtual screen: " + self.log("xvfb"))
        self.env["DISPLAY"] = ":" + number

    def _start_bus(self):
        socket = os.path.join(self.folder, "bus")
        config = os.path.join(self.folder, "bus.conf")
        with open(config, "w") as f:
            f.write('<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"\n'
                    ' "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">\n'
                    "<busconfig><type>session</type><listen>unix:path=%s</listen><auth>EXTERNAL</auth>"
                    # The accessibility bus is started on demand, as on a desktop.
                    "<standard_session_servicedirs/>"
                    '<policy context="default"><allow send_destination="*" eavesdrop="true"/>'
                    '<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>\n' % socket)
        self._spawn(["dbus-daemon", "--config-file=" + config, "--nofork", "--nopidfile"], "dbus")
        wait_for(lambda: os.path.exists(socket), "the session bus", 10)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + socket

    def close(self, failed=False):
        if failed:
            self.screenshot(os.path.join(self.folder, "failed.png"))
        for monitor in self.monitors:
            monitor.kill()
        for proc in reversed(self.processes):
            if proc.poll() is None:
                try:
                    os.killpg(proc.pid, signal.SIGCONT)
                    os.killpg(proc.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for proc in reversed(self.processes):
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                os.killpg(proc.pid, signal.SIGKILL)
                proc.wait()
        if failed or os.environ.get("BW_E2E_KEEP"):
            print("kept (logs and screenshots):", self.folder)
        else:
            shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        self.close(failed=kind is not None)

    # --- the programs

    def start_cadhost(self, *args):
        """A user's cadhost: visible at once. Waits until it owns its bus name."""
        proc = self._spawn([os.path.join(self.bin, "cadhost"), *args], "cadhost")
        wait_for(lambda: self.has_owner(HOST_NAME) or proc.poll() is not None, "cadhost on the bus")
        if proc.poll() is not None:
            raise E2EError("cadhost ended: " + self.log("cadhost"))
        return proc

    def start_blattwart(self, program_folder=None):
        """The build's blattwart; program_folder names another product folder (a copy a test may
        change)."""
        env = dict(self.env)
        if program_folder:
            env["KVARTO_PROGRAM_DIR"] = program_folder
        return self._spawn([os.path.join(self.bin, "blattwart")], "blattwart", env)

    def start_with_sample(self, sample, name):
        """A user's cadhost with a copy (named name) of the sample library's drawing open, and
        blattwart in front; returns the copy's path."""
        drawing = os.path.join(self.folder, name)
        shutil.copy(os.path.join(self.bin, "Bibliothek", "Vorlagen", sample), drawing)
        self.start_cadhost()
        self.host("/Documents", "Documents", "Open", drawing)
        self.start_blattwart()
        self.activate("Blattwart")
        return drawing

    def product_copy(self):
        """A copy of the build's product folder (database, library, help, menu, macros)."""
        target = os.path.join(self.folder, "produkt")
        os.makedirs(target)
        for name in ("Kvarto.mdb", "Kvarto.dvb", "Bibliothek", "Help", "Support"):
            source = os.path.join(self.bin, name)
            (shutil.copytree if os.path.isdir(source) else shutil.copy)(source, os.path.join(target, name))
        return target

    def log(self, name):
        with open(os.path.join(self.folder, name + ".log"), "rb") as f:
            return f.read().decode("utf-8", "replace")

    # --- the bus

    def bus(self, *args, timeout=10):
        """gdbus on the private bus; returns its output."""
        out = subprocess.run(["gdbus", *args], env=self.env, capture_output=True, text=True, timeout=timeout)
        if out.returncode != 0:
            raise E2EError("gdbus %s: %s" % (" ".join(args), out.stderr.strip()))
        return out.stdout.strip()

    def has_owner(self, name):
        out = subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                              "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.NameHasOwner", name],
                             env=self.env, capture_output=True, text=True, timeout=10)
        return "true" in out.stdout

    def host_value(self, path, interface, method, *args):
        """A host call's answer as Python values."""
        from gi.repository import GLib

        return GLib.Variant.parse(None, self.host(path, interface, method, *args), None, None).unpack()

    def host_documents(self):
        """The host's open documents: file name -> (active layout, active space, [layout names])."""
        (snapshots,) = self.host_value("/Documents", "Documents", "Snapshots")
        return {ref[1]: (active, space, [layout[1] for layout in layouts])
                for ref, _modified, active, space, layouts in snapshots}

    def host(self, path, interface, method, *args):
        return self.bus("call", "--session", "--dest", HOST_NAME, "--object-path", path, "--method",
                        "de.velmora.CadHost.%s.%s" % (interface, method), *[str(a) for a in args])

    def monitor(self, *rules):
        """Counts the messages on the bus that match one of the rules from now on: call count() on
        the result."""
        path = os.path.join(self.folder, "monitor-%d.log" % len(self.monitors))
        with open(path, "wb") as log:
            proc = subprocess.Popen(["dbus-monitor", "--address", self.env["DBUS_SESSION_BUS_ADDRESS"], *rules],
                                    stdout=log, stderr=subprocess.DEVNULL, env=self.env)
        self.monitors.append(proc)
        time.sleep(0.5)  # the monitor is in place before anything is counted

        class Counter:
            def count(self):
                with open(path, "rb") as f:
                    return sum(1 for line in f if line.startswith(b"method call"))
        return Counter()

    # --- the screen

    def xdotool(self, *args):
        out = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True, timeout=20)
        return out.stdout.strip()

    def window(self, name, timeout=TIMEOUT):
        """The id of the visible top-level window whose whole title matches name (a regular
        expression)."""
        def find():
            ids = self.xdotool("search", "--onlyvisible", "--name", "^%s$" % name).split()
            return ids[-1] if ids else None
        return wait_for(find, "the window " + name, timeout)

    def activate(self, name, then=None):
        """Brings the window to the front and waits until it, or the window then (a dialog it opens
        at once), is the active window."""
        window = self.window(name)
        self.xdotool("windowactivate", window)
        if then is None:
            wait_for(lambda: self.xdotool("getactivewindow") == window, "the window %s in front" % name)
            return window
        shown = self.window(then)
        wait_for(lambda: self.xdotool("getactivewindow") == shown, "the window %s in front" % then)
        return shown

    def key(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def retype(self, text):
        """Replaces the focused field's text as a user does: select all, then type."""
        self.key("ctrl+a")
        self.xdotool("type", "--delay", "20", text)

    def choose_node(self, app, text, shown="Layout-Details:"):
        """Types the node's text into the focused tree, as its keyboard search finds it, and waits
        until the list's title says what the node shows."""
        self.xdotool("type", "--delay", "30", text)
        wait_for(lambda: shown in self.texts(app, "label"), "the node %s selected" % text)
        time.sleep(0.5)  # the search's typing interval ends

    def other_window(self, title="Andere Anwendung"):
        """A window of another program, to leave Blattwart for."""
        self._spawn(["xmessage", "-title", title, "-geometry", "300x80+700+500", title], "xmessage")
        return self.window(title)

    def screenshot(self, path):
        """A picture of the screen for the one who reads the test's output; without ImageMagick's
        import there is none, and the test goes on."""
        if shutil.which("import"):
            subprocess.run(["import", "-window", "root", path], env=self.env, check=False, timeout=30,
                           capture_output=True)

    # --- the window as a screen reader reads it

    def _walk(self, app, visit, window=None):
        """Calls visit(node, depth) for every accessible of the application (or of its top-level
        window of that title) in tree order until it returns something true, which is returned. A
        node that goes away meanwhile (the window rebuilds a list) ends its branch."""
        import pyatspi
        from gi.repository import GLib

        def walk(node, depth):
            try:
                found = visit(node, depth)
                if found:
                    return found
                if depth >= 16:
                    return None
                for i in range(node.childCount):
                    child = node.getChildAtIndex(i)
                    found = walk(child, depth + 1) if child is not None else None
                    if found:
                        return found
            except GLib.Error:
                pass
            return None

        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            node = desktop.getChildAtIndex(i)
            if node is not None and node.name == app:
                if window is None:
                    return walk(node, 0)
                for j in range(node.childCount):
                    top = node.getChildAtIndex(j)
                    if top is not None and top.name == window:
                        return walk(top, 1)
        return None

    def accessible(self, app, window=None):
        """Every accessible of the application (or of its window of that title) as (role, name,
        depth), in tree order."""
        found = []
        self._walk(app, lambda node, depth: found.append((node.getRoleName(), node.name or "", depth)), window)
        return found

    def documents(self, app):
        """The text of every text field, text browser and label of the application."""
        found = []

        def visit(node, depth):
            if node.getRoleName() in ("text", "label", "document text", "document frame", "paragraph"):
                try:
                    text = node.queryText()
                    found.append(text.getText(0, text.characterCount))
                except NotImplementedError:
                    pass

        self._walk(app, visit)
        return found

    def find(self, app, role, name, window=None):
        """The first accessible of the application (or of its window of that title) with that role
        and name; None when there is none."""
        return self._walk(app, lambda node, depth: node if node.getRoleName() == role and
                          (node.name or "") == name else None, window)

    def click(self, app, role, name, double=False, window=None):
        """Clicks into the middle of what a screen reader calls role and name, as a user would."""
        import pyatspi

        node = wait_for(lambda: self.find(app, role, name, window), "%s %s" % (role, name))
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.xdotool("mousemove", "--sync", str(box.x + box.width // 2), str(box.y + box.height // 2))
        self.xdotool("click", "--repeat", "2" if double else "1", "1")

    def message(self, app, title, key="Return"):
        """The text of the message box of that title, read as a screen reader reads it; the key
        given then answers it, and the box is awaited to close."""
        self.window(title)
        text = wait_for(lambda: " ".join(self.texts(app, "label", window=title)), "the text of " + title)
        self.activate(title)
        self.key(key)
        wait_for(lambda: self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title) == "",
                 "the box %s closed" % title)
        return text

    def message_saying(self, app, title, *words):
        """message() of a box that must say every one of the words; its text."""
        text = self.message(app, title)
        missing = [w for w in words if w not in text]
        if missing:
            raise E2EError("the box %s does not say %s: %s" % (title, missing, text))
        return text

    def texts(self, app, role, window=None):
        return [name for r, name, _ in self.accessible(app, window) if r == role]
