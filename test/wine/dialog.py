"""Runs the real tool and the real Save dialog together: the tool started
with an exact command line, the Windows-side driver reading the dialog and
working it. Used by the dialog tests and by the picture for the README."""
import os
import subprocess
import tempfile

from wine import BUILD, EXE, Wine, in_locale, output_target
from xvfb import Xvfb

DRIVER = os.path.join(BUILD, "dialog.exe")
# the console's own code page in each locale the tests use: what Wine's
# cmd.exe reads a .cmd file in
OEM = {None: "cp437", "en_US.UTF-8": "cp437", "ru_RU.UTF-8": "cp866"}


def drive(env, title, action, name=None, timeout=120, file_type=None):
    """Runs the driver on the dialog titled title (picking file type number
    file_type) and returns its report.
    Its output goes through a file: a background process of Wine's started
    meanwhile would hold a pipe open after the driver ended."""
    command = ["wine", DRIVER, title, action] + ([name] if name is not None else [])
    command += [str(file_type)] if file_type is not None else []
    command = [part.encode() for part in command]
    with tempfile.TemporaryFile() as report:
        subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=report,
                       stderr=subprocess.DEVNULL, timeout=timeout)
        report.seek(0)
        values = parse(report.read())
    if "stuck" in values or "unsettled" in values:
        raise AssertionError(f"the dialog {title!r} did not answer its driver: {values}")
    return values


class DialogRun:
    """What one run showed and wrote; as a text, what a failed test shows
    of it: its exit value, standard error (where the launcher, the tool or
    Wine say what went wrong) and the driver's report."""

    def __init__(self, exit_value, out, err, report):
        self.exit_value = exit_value
        self.out = out
        self.err = err
        self.report = report

    def __str__(self):
        return f"exit value {self.exit_value}, stderr {self.err!r}, driver {self.report}"


class DialogBench:
    """A display, a Wine prefix on it, and a folder of the test's own that
    the tool sees as drive T: (Wine's Z: drive reports volume errors on
    standard error when the dialog looks at it)."""

    def __init__(self, name):
        self.xvfb = Xvfb()
        self.wine = Wine(name, display=self.xvfb.display)
        self.folder = os.path.join(self.wine.work, "t")
        os.makedirs(self.folder)
        link = os.path.join(self.wine.prefix, "dosdevices", "t:")
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(self.folder, link)
        # Wine's services list the drives when they start: the older folder
        # browser shows T: only once they start again
        self.wine.stop_server()

    def stop(self):
        self.wine.stop()
        self.xvfb.stop()

    def path(self, *parts):
        """A Unix path inside drive T:, its folders made."""
        path = os.path.join(self.folder, *parts)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        return path

    def run(self, line, title, action, name=None, stdout="file", console_title=None,
            shot=None, timeout=90, lang=None, chcp=None, then=(), file_type=None, show=None):
        """Runs the tool with line and works its dialog, found by title (None:
        no dialog is expected), with the driver's action. stdout is "file",
        "pipe", "full" or "closed". With console_title the tool runs inside a Wine
        console window of that title, after chcp when given, and the cmd.exe
        lines then run after it ({out} stands for its standard output, a
        .cmd file). shot names a screenshot to take while the dialog is
        open. lang names the locale the tool runs in, which sets its code
        pages. A list line is arguments that wine hands over in UTF-16;
        file_type is the type the user picks, show the starter's show state."""
        with tempfile.TemporaryDirectory(dir=self.wine.work) as scratch:
            out_path = os.path.join(scratch, "out.cmd")
            err_path = os.path.join(scratch, "err")
            if console_title is None:
                tool = self._start(line, stdout, out_path, err_path, lang, show)
            else:
                tool = self._start_in_console(line, console_title, out_path, err_path, lang,
                                              chcp, then)
            if shot is not None and "title" in drive(self.wine.env, title, "peek"):
                self.xvfb.screenshot(shot)
            report = drive(self.wine.env, title, action, name, timeout, file_type) if title else {}
            try:
                piped, _ = tool.communicate(timeout=timeout)
            except subprocess.TimeoutExpired:
                tool.kill()
                piped, _ = tool.communicate()
            exit_value = tool.returncode
            if console_title is not None:
                with open(os.path.join(scratch, "rc")) as rc:
                    exit_value = int(rc.read().split()[0])
            with open(out_path, "rb") as out, open(err_path, "rb") as err:
                return DialogRun(exit_value, piped if stdout == "pipe" else out.read(),
                                 err.read(), report)

    def run_script(self, script, args, title, action, name=None, timeout=120, switches=()):
        """Runs the .cmd file script (a Unix path) with args under Wine's
        cmd.exe, started with switches, in the bench's folder, and works the
        dialog it opens, found by title, with the driver's action (None: no
        dialog is expected); "a|b" in title, action and name works dialogs
        a and b in turn."""
        command = ["wine", "cmd", *switches, "/c", self.wine.windows_path(script)] + args
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.Popen(command, env=self.wine.env, stdin=subprocess.DEVNULL,
                                       stdout=out, stderr=err, cwd=self.folder)
            report = {}
            steps = () if action is None else zip(title.split("|"), action.split("|"),
                                                  (name or "").split("|"))
            for step_title, step_action, typed in steps:
                report.update(drive(self.wine.env, step_title, step_action, typed or None))
            exit_value = process.wait(timeout=timeout)
            out.seek(0)
            err.seek(0)
            return DialogRun(exit_value, out.read(), err.read(), report)

    def _start(self, line, stdout, out_path, err_path, lang, show):
        open(out_path, "ab").close()
        with output_target(stdout, out_path) as target, open(err_path, "wb") as err:
            command = (["wine", EXE] + line if isinstance(line, list)
                       else self.wine.launch_command(line, show=show))
            return subprocess.Popen(command,
                                    env=in_locale(self.wine.env, lang),
                                    stdin=subprocess.DEVNULL, stderr=err, cwd=self.folder,
                                    stdout=subprocess.PIPE if stdout == "pipe" else target)

    def _start_in_console(self, line, console_title, out_path, err_path, lang, chcp, then):
        """The tool inside a Wine console window whose title is set first;
        its streams go to files and its exit value to the file rc. The
        script is written in the console's code page, as cmd.exe reads it."""
        w = self.wine.windows_path
        launch = self.wine.launch_command(line)
        rc_path = os.path.join(os.path.dirname(out_path), "rc")
        script = os.path.join(os.path.dirname(out_path), "run.cmd")
        lines = ["@echo off", f"title {console_title}"]
        lines += [f"chcp {chcp} > nul"] if chcp is not None else []
        lines += [f'"{launch[1]}" "{launch[2]}" "{launch[3]}" > "{w(out_path)}" '
                  f'2> "{w(err_path)}"', f'> "{w(rc_path)}" echo %errorlevel%']
        lines += [command.format(out=w(out_path)) for command in then]
        with open(script, "w", newline="\r\n", encoding=OEM[lang]) as cmd:
            cmd.write("\n".join(lines) + "\n")
        return subprocess.Popen(["wine", "wineconsole", "cmd", "/c", w(script)],
                                env=in_locale(self.wine.env, lang), stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def parse(report):
    """The driver's key=value lines as a dictionary."""
    values = {}
    for line in report.decode("utf-8", "replace").splitlines():
        key, _, value = line.partition("=")
        values[key] = value
    return values
