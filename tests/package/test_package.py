"""The Debian package as CPack builds it: its metadata, dependencies and file list, lintian, the desktop
validators, dpkg unpacking it into a scratch root, and its programs started from an unpacked copy
(dpkg -x into a scratch folder); the machine's own system is never changed.

Arguments: the build folder, the project's version, and the folder the package and its unpacked copy
go to (the installed-package desktop test reads the copy from there).
"""

import hashlib
import os
import shutil
import signal
import subprocess
import sys
import time
import unittest

BUILD, VERSION, OUT = sys.argv[1:4]
del sys.argv[1:4]
ROOT = os.path.join(OUT, "root")
KEY = "/etc/xdg/Velmora/Kvarto 2.1.ini"
IDS = ("de.velmora.Blattwart", "de.velmora.Rendlo", "de.velmora.CadHost")
SIZES = ("16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256")
LIBRARY = ("A3 quer.dwt", "A1 Lageplan.dwt", "A4 hoch.dwt", "Bestand EG.dwg", "Detailblatt.dwg",
           "Kvarto Standards.dws", "Bestand EG.dwf")


def expected_files():
    files = {"/usr/bin/" + p for p in ("blattwart", "rendlo", "cadhost")}
    files |= {"/usr/lib/blattwart/" + p for p in ("blattwart", "rendlo", "cadhost")}
    share = "/usr/share/blattwart/"
    files |= {share + p for p in ("Kvarto.mdb", "Kvarto.dvb", "Help/Kvarto.chm", "Support/Kvarto.mns")}
    files |= {share + "Bibliothek/Vorlagen/" + f for f in LIBRARY}
    files.add(KEY)
    for i in IDS:
        files.add("/usr/share/applications/%s.desktop" % i)
        files.add("/usr/share/icons/hicolor/scalable/apps/%s.svg" % i)
        files |= {"/usr/share/icons/hicolor/%s/apps/%s.png" % (s, i) for s in SIZES}
    files.add("/usr/share/metainfo/de.velmora.Blattwart.metainfo.xml")
    files |= {"/usr/share/doc/blattwart/copyright", "/usr/share/doc/blattwart/changelog.gz"}
    files.add("/usr/share/lintian/overrides/blattwart")
    return files


def run(*args, env=None, timeout=300):
    return subprocess.run(args, capture_output=True, text=True, env=env, timeout=timeout)


def deb_path():
    return os.path.join(OUT, "blattwart_%s_amd64.deb" % VERSION)


def installed_env():
    """The environment a user's session has: no product folder named, no test settings."""
    env = dict(os.environ)
    env.pop("KVARTO_PROGRAM_DIR", None)
    return env


class TestPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(OUT, ignore_errors=True)
        os.makedirs(OUT)
        started = time.monotonic()
        # As "cmake --build build --target package": cpack first brings the build up to date.
        built = run("cpack", "-G", "DEB", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", OUT,
                    timeout=900)
        print("cpack: %.1f s" % (time.monotonic() - started))
        if built.returncode != 0 or not os.path.isfile(deb_path()):
            raise AssertionError("cpack failed:\n" + built.stdout + built.stderr)
        for args in (("dpkg-deb", "-x", deb_path(), ROOT), ("dpkg-deb", "-e", deb_path(), os.path.join(OUT, "control"))):
            out = run(*args)
            if out.returncode != 0:
                raise AssertionError(" ".join(args) + ": " + out.stderr)

    def field(self, name):
        return run("dpkg-deb", "-f", deb_path(), name).stdout.strip()

    def test_metadata(self):
        self.assertEqual(self.field("Package"), "blattwart")
        self.assertEqual(self.field("Version"), VERSION)
        self.assertEqual(self.field("Architecture"), "amd64")
        self.assertEqual(self.field("Section"), "graphics")
        self.assertIn("<info@velmora.example>", self.field("Maintainer"))

    def test_dependencies_come_from_the_binaries_and_the_run_time(self):
        depends = {d.strip().split(" ")[0] for d in self.field("Depends").split(",")}
        # From dpkg-shlibdeps: what the programs link.
        for lib in ("libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6dbus6",
                    "libqt6sql6", "libchm1"):
            self.assertIn(lib, depends)
        # What they load or call at run time.
        for pkg in ("libqt6sql6-sqlite", "qt6-qpa-plugins", "qt6-translations-l10n", "adduser"):
            self.assertIn(pkg, depends)
        # apt resolves them against this machine's archive without installing anything.
        out = run("apt-get", "install", "-s", "-q", deb_path())
        self.assertEqual(out.returncode, 0, out.stdout + out.stderr)
        self.assertRegex(out.stdout, r"Inst blattwart ")

    def test_file_list(self):
        listing = run("dpkg-deb", "-c", deb_path()).stdout.splitlines()
        files, modes = set(), {}
        for line in listing:
            mode, owner, _size, _date, _time, path = line.split(None, 5)
            self.assertEqual(owner, "root/root", line)
            path = path[1:]
            if mode.startswith("-"):
                files.add(path)
                modes[path] = mode
        self.assertEqual(sorted(files - expected_files()), [], "files the package should not hold")
        self.assertEqual(sorted(expected_files() - files), [], "files the package lacks")
        for program in ("blattwart", "rendlo", "cadhost"):
            self.assertEqual(modes["/usr/bin/" + program], "-rwxr-xr-x")
            self.assertEqual(modes["/usr/lib/blattwart/" + program], "-rwxr-xr-x")
        self.assertEqual(modes[KEY], "-rw-r--r--")
        # The library's types have their folders, empty ones too.
        for typ in ("Vorlagen", "Schriftfelder", "Nordpfeile", "Legenden"):
            self.assertTrue(os.path.isdir(os.path.join(ROOT, "usr/share/blattwart/Bibliothek", typ)), typ)

    def test_family_key_is_a_configuration_file(self):
        with open(os.path.join(OUT, "control", "conffiles")) as f:
            self.assertEqual(f.read().splitlines(), [KEY])
        with open(os.path.join(OUT, "control", "md5sums")) as f:
            self.assertIn(KEY[1:], [line.split("  ", 1)[1] for line in f.read().splitlines()])
        with open(ROOT + KEY) as f:
            self.assertEqual(f.read().split(), ["[General]", "LM_Beenden=1"])
        for script in ("postinst", "postrm"):
            self.assertTrue(os.access(os.path.join(OUT, "control", script), os.X_OK), script)

    def test_dpkg_unpacks_it_and_registers_the_family_key_as_a_conffile(self):
        """dpkg itself, into a scratch root of its own: the conffile's whole name, space included."""
        root = os.path.join(OUT, "dpkg-root")
        admin = os.path.join(root, "var/lib/dpkg")
        for folder in ("info", "updates", "triggers"):
            os.makedirs(os.path.join(admin, folder))
        for name in ("status", "available"):
            open(os.path.join(admin, name), "w").close()
        # Unpacking runs no maintainer script, so nothing outside the scratch root changes.
        out = run("dpkg", "--root=" + root, "--force-depends", "--force-not-root", "--log=/dev/null",
                  "--unpack", deb_path())
        self.assertEqual(out.returncode, 0, out.stdout + out.stderr)
        status = run("dpkg-query", "--admindir=" + admin, "-W", "-f=${Status}\n${Conffiles}", "blattwart").stdout
        lines = status.splitlines()
        self.assertEqual(lines[0], "install ok unpacked")
        with open(ROOT + KEY, "rb") as f:
            md5 = hashlib.md5(f.read()).hexdigest()
        self.assertEqual(lines[1:], [" %s newconffile" % KEY])
        with open(root + KEY + ".dpkg-new", "rb") as f:
            self.assertEqual(hashlib.md5(f.read()).hexdigest(), md5)
        self.assertTrue(os.access(os.path.join(root, "usr/lib/blattwart/blattwart"), os.X_OK))

    def test_lintian_finds_no_errors(self):
        started = time.monotonic()
        out = run("lintian", "--fail-on", "error", "--no-tag-display-limit", deb_path(), timeout=600)
        print("lintian: %.1f s\n%s" % (time.monotonic() - started, out.stdout))
        self.assertEqual(out.returncode, 0, out.stdout + out.stderr)
        self.assertNotRegex(out.stdout, r"(?m)^E: ")

    def test_desktop_entries_icons_and_appstream_validate(self):
        for i in IDS:
            entry = os.path.join(ROOT, "usr/share/applications", i + ".desktop")
            out = run("desktop-file-validate", entry)
            self.assertEqual(out.returncode, 0, out.stdout + out.stderr)
            with open(entry, encoding="utf-8") as f:
                icon = [line.split("=", 1)[1] for line in f.read().splitlines() if line.startswith("Icon=")]
            self.assertEqual(icon, [i])
        out = run("appstreamcli", "validate", "--no-net",
                  os.path.join(ROOT, "usr/share/metainfo/de.velmora.Blattwart.metainfo.xml"))
        self.assertEqual(out.returncode, 0, out.stdout + out.stderr)

    def test_installed_blattwart_names_its_version_and_product_folder(self):
        out = run(os.path.join(ROOT, "usr/bin/blattwart"), "--version", env=installed_env())
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertEqual(out.stdout.splitlines(),
                         ["Blattwart " + VERSION, "Produktordner: " + os.path.join(ROOT, "usr/share/blattwart")])
        for program in ("blattwart", "rendlo", "cadhost"):
            libs = run("ldd", os.path.join(ROOT, "usr/lib/blattwart", program)).stdout
            self.assertNotIn("not found", libs)

    def test_installed_rendlo_configures_the_host_with_the_product_folder(self):
        """Rendlo from the package against the package's cadhost on a private bus: the host's support
        path gets the product folder and its menu group comes from the folder's Support/Kvarto.mns."""
        env = installed_env()
        env["QT_QPA_PLATFORM"] = "offscreen"
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, text=True, env=env)
        procs = [bus]
        try:
            env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
            procs.append(subprocess.Popen([os.path.join(ROOT, "usr/bin/cadhost"), "--headless"], env=env,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            host = ["gdbus", "call", "--session", "--dest", "de.velmora.CadHost.AutoCAD_Application_18"]

            def ask(path, method):
                return run(*host, "--object-path", path, "--method", "de.velmora.CadHost." + method, env=env)

            self.wait_for(lambda: ask("/Application/Preferences", "Preferences.SupportPath").returncode == 0)
            procs.append(subprocess.Popen([os.path.join(ROOT, "usr/bin/rendlo")], env=env,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            folder = os.path.join(ROOT, "usr/share/blattwart")
            self.wait_for(lambda: folder in ask("/Application/Preferences", "Preferences.SupportPath").stdout)
            self.wait_for(lambda: "'KV+'" in ask("/Application/MenuGroups", "MenuGroups.Names").stdout)
        finally:
            for proc in reversed(procs):
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(10)
                except subprocess.TimeoutExpired:
                    proc.kill()

    def wait_for(self, condition, timeout=20):
        deadline = time.monotonic() + timeout
        while not condition():
            self.assertLess(time.monotonic(), deadline, "gave up waiting")
            time.sleep(0.2)


if __name__ == "__main__":
    unittest.main(verbosity=2)
