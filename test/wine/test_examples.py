"""The example scripts, run end to end by Wine's cmd.exe with the real
dialog worked by the driver, as a caller with delayed expansion on would run
them: each uses exactly the name chosen, leaves everything alone on cancel,
checks its own writes, and ends with 2 and a message of its own on any other
outcome, Tamvick missing included."""
import os
import subprocess
import time
import unittest

from dialog import DialogBench
from wine import BUILD, SOURCE

FAILED = "{}: Tamvick ended with {} and gave no name; see the message above.\r\n"

# (script, arguments, dialog title (None: no dialog), action, typed name,
#  exit value, standard output, standard error (or a part of it, for the
#  lines of Wine's own), what the dialog shows, files afterwards (None:
#  absent), and what the row sets up: "no path" leaves Tamvick off the
#  path, "hold" holds the typed file open without sharing)
ROWS = [
    ("save-copy.cmd", ["T:\\src\\data.txt", "T:\\Backup"], "Save a copy of data.txt", "save",
     "copy one.txt", 0, 'Copy saved as "T:\\Backup\\copy one.txt"\r\n', "", {"name": "data.txt"},
     {"Backup/copy one.txt": "the data\n"}, None),
    ("save-copy.cmd", ["T:\\src\\data.txt", "T:\\Backup"], "Save a copy of data.txt", "cancel",
     None, 1, "No name chosen; nothing was copied.\r\n", "", {}, {}, None),
    ("save-copy.cmd", ["T:\\src\\data.txt", "T:\\Backup", "bad:name"], None, None, None,
     2, "", "Invalid parameter: bad:name\n" + FAILED.format("save-copy", 255), {}, {},
     None),
    # call would have made this 50.txt and overwritten it unasked
    ("save-copy.cmd", ["T:\\src\\data.txt", "T:\\Backup"], "Save a copy of data.txt", "save",
     "50% to 75%.txt", 0, 'Copy saved as "T:\\Backup\\50% to 75%.txt"\r\n', "", {},
     {"Backup/50% to 75%.txt": "the data\n", "Backup/50.txt": "keep me\n"}, None),
    # no file name in FILE: an empty default name, the options still read
    ("save-copy.cmd", ["T:\\src\\", "T:\\Backup"], "Save a copy of ", "save", "old.txt",
     1, "No name chosen; nothing was copied.\r\n", "",
     {"name": "", "question": "File already exists. Do you want to replace it?"},
     {"Backup/old.txt": "old\n"}, None),
    ("pick-name.cmd", ["T:\\Logs"], "Where should the log go?", "save", "my build!%x%.log",
     0, 'The log goes to: "T:\\Logs\\my build!%x%.log"\r\n', "",
     {"name": "build.log", "type": "*.log;*.txt", "folder": "Logs"}, {}, None),
    ("pick-name.cmd", ["T:\\Logs"], "Where should the log go?", "cancel", None,
     1, "No name chosen.\r\n", "", {}, {}, None),
    ("pick-name.cmd", ["T:\\Logs", "what?.log"], None, None, None,
     2, "", "Invalid parameter: what?.log\n" + FAILED.format("pick-name", 255), {}, {},
     None),
    ("write-report.cmd", ["T:\\Backup"], "Save the report as", "save", "week 49.txt",
     0, 'Report written to "T:\\Backup\\week 49.txt"\r\n', "", {},
     {"Backup/week 49.txt": 'Report of *\r\nFolder asked for: "T:\\Backup"\r\n'}, None),
    # a name typed without an extension gets the text files' .txt
    ("write-report.cmd", ["T:\\Backup"], "Save the report as", "save", "week 50",
     0, 'Report written to "T:\\Backup\\week 50.txt"\r\n', "", {"type": "Text files (*.txt)"},
     {"Backup/week 50.txt": 'Report of *\r\nFolder asked for: "T:\\Backup"\r\n'}, None),
    ("write-report.cmd", ["T:\\R&D files"], "Save the report as", "save", "r.txt",
     0, 'Report written to "T:\\R&D files\\r.txt"\r\n', "", {},
     {"R&D files/r.txt": 'Report of *\r\nFolder asked for: "T:\\R&D files"\r\n'}, None),
    ("write-report.cmd", ["T:\\Backup"], "Save the report as", "cancel", None,
     1, "No file chosen; nothing was written.\r\n", "", {}, {"Backup/report.txt": None}, None),
    ("write-report.cmd", ["T:\\Backup", "x?.txt"], None, None, None,
     2, "", "Invalid parameter: x?.txt\n" + FAILED.format("write-report", 255), {}, {},
     None),
    ("write-report.cmd", ["T:\\Backup"], "Save the report as", "save-yes", "held.txt",
     2, "", 'write-report: the report could not be written to "T:\\Backup\\held.txt".\r\n', {},
     {}, "hold"),
    ("write-report.cmd", ["T:\\Backup"], None, None, None,
     2, "", FAILED.format("write-report", 9009), {}, {"Backup/report.txt": None},
     "no path"),
    # several files, then the folder; a drive's root comes bare
    ("copy-files.cmd", ["T:\\src", "T:\\Backup"], "Files to copy|Copy them to", "save|save",
     '"data.txt" "50% & !x.txt"|To', 0, 'Copied "T:\\src\\data.txt" to "T:\\Backup\\To"\r\n'
     'Copied "T:\\src\\50% & !x.txt" to "T:\\Backup\\To"\r\n', "", {},
     {"Backup/To/data.txt": "the data\n", "Backup/To/50% & !x.txt": "mine\n"}, None),
    ("copy-files.cmd", ["T:\\src", "T:\\"], "Files to copy|Copy them to", "save|save",
     "data.txt|T:\\", 0, 'Copied "T:\\src\\data.txt" to "T:\\"\r\n', "", {},
     {"data.txt": "the data\n"}, None),
    ("copy-files.cmd", ["T:\\src", "T:\\Backup"], "Files to copy|Copy them to", "save|cancel",
     "data.txt|", 1, "No folder chosen; nothing was copied.\r\n", "", {},
     {"Backup/data.txt": None}, None),
]


class Examples(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bench = DialogBench("wine-examples")
        # cmd.exe finds Tamvick on its path
        cls.bench.wine.env["WINEPATH"] = cls.bench.wine.windows_path(BUILD)
        files = {"src/data.txt": "the data\n", "src/50% & !x.txt": "mine\n",
                 "Backup/To/x": "", "Backup/old.txt": "old\n",
                 "Backup/50.txt": "keep me\n", "Logs/x.log": "",
                 "R&D files/x.txt": ""}
        for name, text in files.items():
            with open(cls.bench.path(*name.split("/")), "w") as made:
                made.write(text)

    @classmethod
    def tearDownClass(cls):
        cls.bench.stop()

    def test_rows(self):
        for (script, args, title, action, typed, exit_value, out, err, shown, files,
             setup) in ROWS:
            with self.subTest(script=script, args=args, typed=typed, setup=setup):
                env = self.bench.wine.env
                path = env.pop("WINEPATH") if setup == "no path" else None
                if setup == "hold":
                    # cmd.exe's redirection holds the file, unshared, while ping runs
                    held = self.bench.path("Backup", typed)
                    with open(held, "w") as text:
                        text.write("held")
                    subprocess.Popen(["wine", "cmd", "/c", f"ping -n 30 127.0.0.1 > {typed}"],
                                     env=env, cwd=os.path.dirname(held), stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                    for _ in range(200):  # until ping's output has emptied it
                        if os.path.getsize(held) != 4:
                            break
                        time.sleep(0.05)
                try:
                    run = self.bench.run_script(os.path.join(SOURCE, "examples", script), args,
                                                title, action, typed, switches=["/v:on"])
                finally:
                    if path is not None:
                        env["WINEPATH"] = path
                stderr = run.err.decode("latin-1")
                self.assertEqual((run.exit_value, run.out.decode("latin-1")), (exit_value, out), run)
                self.assertTrue(stderr == err or (setup is not None and err in stderr), stderr)
                for key, value in shown.items():
                    self.assertEqual(run.report.get(key), value, key)
                for name, text in files.items():
                    written = os.path.join(self.bench.folder, *name.split("/"))
                    if text is None:
                        self.assertFalse(os.path.exists(written), name)
                        continue
                    with open(written, newline="") as content:
                        content = content.read()
                    # * stands for what changes from run to run: date, time, computer
                    head, star, tail = text.partition("*")
                    self.assertTrue(content.startswith(head) and content.endswith(tail)
                                    if star else content == text, (name, content))


if __name__ == "__main__":
    unittest.main(verbosity=2)
