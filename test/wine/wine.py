"""Runs the real Tamvick.exe under Wine for the end-to-end tests: a prefix
of the build tree's own, an exact command line through the launcher, and
the standard streams on files, pipes or a pseudo-terminal."""
import fcntl
import os
import re
import pty
import select
import shutil
import struct
import subprocess
import tempfile
import termios
import time

# Where the build puts things; ctest sets them, and scripts run by hand from
# the source tree get the windows preset's places.
SOURCE = os.environ.get("VORSEL_SOURCE",
                        os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
BUILD = os.environ.get("VORSEL_BUILD", os.path.join(SOURCE, "build", "windows"))
EXE = os.environ.get("VORSEL_EXE", os.path.join(BUILD, "Tamvick.exe"))
LAUNCH = os.environ.get("VORSEL_LAUNCH", os.path.join(BUILD, "launch.exe"))
# the project's version, as the build was configured with it
with open(os.path.join(BUILD, "CMakeCache.txt"), encoding="utf-8") as cache:
    VERSION = re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.*)$", cache.read(), re.M)[1]


def environment(prefix, display=None):
    """The environment for Wine runs in prefix, on display or on none, in a
    UTF-8 locale whose ANSI code page is 1252."""
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=", LANG="en_US.UTF-8")
    for name in ("DISPLAY", "LC_ALL", "LC_CTYPE"):
        env.pop(name, None)
    if display is not None:
        env["DISPLAY"] = display
    return env


def output_target(kind, path):
    """Standard output for a run: the file at path, /dev/full ("full"), or
    a pipe whose reading end is already closed ("closed")."""
    if kind == "full":
        return open("/dev/full", "wb")
    if kind == "closed":
        reader, writer = os.pipe()
        os.close(reader)
        return os.fdopen(writer, "wb")
    return open(path, "wb")


def in_locale(env, lang):
    """env with LANG set to lang, which sets the ANSI code page of the Wine
    processes started with it; env itself for None."""
    return env if lang is None else dict(env, LANG=lang)


def quiet(command, env, **kwargs):
    return subprocess.run(command, env=env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kwargs)


class Wine:
    """One prefix with a running server and a work folder; ended by stop()."""

    def __init__(self, name, display=None):
        self.prefix = os.path.join(BUILD, name)
        self.env = environment(self.prefix, display)
        self.work = tempfile.mkdtemp(prefix=name + "-", dir=BUILD)
        quiet(["wineserver", "-k"], self.env)
        quiet(["wineserver", "-w"], self.env)
        os.makedirs(self.prefix, exist_ok=True)
        quiet(["wineserver", "-p"], self.env, check=True)
        quiet(["wine", "wineboot", "-i"], self.env, check=True, timeout=300)
        # a crash ends the process instead of waiting on Wine's crash window
        quiet(["wine", "reg", "add", "HKCU\\Software\\Wine\\WineDbg", "/v", "ShowCrashDialog",
               "/t", "REG_DWORD", "/d", "0", "/f"], self.env, check=True, timeout=120)

    def stop_server(self):
        """Ends the prefix's server and every Wine process in it; the next
        Wine call starts them again."""
        quiet(["wineserver", "-k"], self.env)
        quiet(["wineserver", "-w"], self.env)

    def stop(self):
        self.stop_server()
        shutil.rmtree(self.work, ignore_errors=True)

    def windows_path(self, path):
        """The Windows form of a Unix path, through Wine's Z: drive."""
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def line_file(self, line):
        """A file that holds the exact bytes of a command line."""
        fd, path = tempfile.mkstemp(dir=self.work, suffix=".line")
        os.write(fd, line if isinstance(line, bytes) else line.encode("latin-1"))
        os.close(fd)
        return path

    def launch_command(self, line, hidden=False, show=None):
        """hidden: on a window station no one sees; show: with that show state."""
        return ["wine", LAUNCH, self.windows_path(EXE), self.windows_path(self.line_file(line))] + (
            ["hidden"] if hidden else []) + (["show", str(show)] if show is not None else [])

    def run(self, line, stdout="file", cwd=None, timeout=120, lang=None, hidden=False):
        """Runs the tool with an exact command line; stdout and stderr both
        go to files, or both to pipes with stdout="pipe", or stdout alone to
        "full" (/dev/full) or "closed" (a pipe nobody reads). lang names
        another locale; hidden runs it on a window station no one can see.
        Returns (exit value, stdout bytes, stderr bytes)."""
        command = self.launch_command(line, hidden)
        env = in_locale(self.env, lang)
        if stdout == "pipe":
            done = subprocess.run(command, env=env, stdin=subprocess.DEVNULL,
                                  capture_output=True, timeout=timeout, cwd=cwd)
            return done.returncode, done.stdout, done.stderr
        fd, out_path = tempfile.mkstemp(dir=self.work, suffix=".out")
        os.close(fd)
        with output_target(stdout, out_path) as target, tempfile.TemporaryFile() as err:
            done = subprocess.run(command, env=env, stdin=subprocess.DEVNULL,
                                  stdout=target, stderr=err, timeout=timeout, cwd=cwd)
            err.seek(0)
            with open(out_path, "rb") as out:
                return done.returncode, out.read(), err.read()

    def run_on_console(self, line, timeout=120):
        """Runs the tool with both streams on a wide pseudo-terminal, so they
        are a console to the tool. Returns (exit value, the text shown), with
        Wine's cursor escapes and carriage returns taken out."""
        master, slave = pty.openpty()
        fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 50, 250, 0, 0))
        process = subprocess.Popen(self.launch_command(line), env=self.env,
                                   stdin=slave, stdout=slave, stderr=slave, close_fds=True)
        os.close(slave)
        shown = b""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            ready, _, _ = select.select([master], [], [], 0.5)
            if ready:
                try:
                    chunk = os.read(master, 65536)
                except OSError:
                    break
                if not chunk:
                    break
                shown += chunk
            elif process.poll() is not None:
                break
        os.close(master)
        exit_value = process.wait(timeout=timeout)
        return exit_value, console_text(shown)


def console_text(raw):
    """What a terminal shows of raw output, as plain lines of text."""
    text = raw.decode("latin-1")
    out = []
    i = 0
    while i < len(text):
        if text[i] == "\x1b":
            i += 1
            if i < len(text) and text[i] == "[":
                i += 1
                while i < len(text) and not ("@" <= text[i] <= "~"):
                    i += 1
            elif i < len(text) and text[i] == "]":
                while i < len(text) and text[i] not in "\x07":
                    i += 1
            i += 1
            continue
        if text[i] != "\r":
            out.append(text[i])
        i += 1
    lines = [line.rstrip() for line in "".join(out).split("\n")]
    return "\n".join(line for line in lines if line)
