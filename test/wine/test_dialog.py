"""The whole job on the real Save dialog under Wine and Xvfb: what the
dialog shows for each call, and the exact result line, exit value and
standard error for each way the user answers it."""
import os
import unittest

from dialog import DialogBench
from wine import BUILD


TYPES = b'"T:\\Backup\\Text files (*.txt)|*.txt;*.log|CSV (*.csv)|*.csv|All files (*.*)|*.*"'


class Dialog(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bench = DialogBench("wine-dialog")
        with open(cls.bench.path("Backup", "data.txt"), "w") as existing:
            existing.write("old\n")
        open(cls.bench.path("Backup", "b c.txt"), "w").close()
        cls.bench.path("Backup", "Sub", "x")
        # the first dialog of a new prefix starts Wine's desktop; get it done
        cls.bench.run(b"prog warm T:\\*.* Warm", "Warm", "cancel")

    @classmethod
    def tearDownClass(cls):
        cls.bench.stop()

    def check(self, run, exit_value, out, err=b"", **shown):
        self.assertEqual((run.exit_value, run.out, run.err), (exit_value, out, err), run)
        for key, value in shown.items():
            self.assertEqual(run.report.get(key), value, f"{key}: {run}")

    def test_confirm_and_replace(self):
        shot = os.path.join(BUILD, "dialog.png")
        run = self.bench.run(b'prog "copy data.txt" "T:\\Backup\\*.txt;*.log" "Save copy as" '
                             b"data.txt /overwritePrompt", "Save copy as", "save-yes", shot=shot)
        self.check(run, 0, b'copy data.txt "T:\\Backup\\data.txt"\r\n', title="Save copy as",
                   name="data.txt", type="*.txt;*.log", folder="Backup", readonly="hidden",
                   owner="none")
        self.assertIn("already exists", run.report["question"])
        self.assertTrue(os.path.getsize(shot) > 0)

    def test_answers(self):
        cases = [
            # (command line, title, action, typed name, exit value, stdout, replace question,
            #  and the number of the file type the user picks, if any, and the type shown)
            (b'prog "copy data.txt" T:\\Backup\\*.txt Pick data.txt', "Pick", "save", None,
             0, b'copy data.txt "T:\\Backup\\data.txt"\r\n', ""),
            (b'prog copy T:\\Backup\\*.txt Pick data.txt', "Pick", "save", "new.txt",
             0, b'copy "T:\\Backup\\new.txt"\r\n', ""),
            (b'prog copy T:\\Backup\\*.txt Pick', "Pick", "save", "noext",
             0, b'copy "T:\\Backup\\noext"\r\n', ""),
            (b'prog "set target=" T:\\Backup\\*.txt Pick /noQuote /noCRLF', "Pick", "save",
             "b c.txt", 0, b"set target=T:\\Backup\\b c.txt", ""),
            (b'prog "set target=" T:\\Backup\\*.txt Pick /NOCRLF', "Pick", "save",
             "x.txt", 0, b'set target="T:\\Backup\\x.txt"', ""),
            (b'prog copy T:\\Backup\\*.txt Pick data.txt /overwritePrompt', "Pick", "save",
             None, 1, b"", "File already exists. Do you want to replace it?"),
            (b'prog copy T:\\Backup\\*.txt Pick data.txt', "Pick", "cancel", None, 1, b"",
             None),
            # the selected type's extension on a name typed without one, as
            # the dialog adds it, and asks about
            (b"prog copy " + TYPES + b" Pick /addExtension", "Pick", "save", "report",
             0, b'copy "T:\\Backup\\report.txt"\r\n', "", None, "Text files (*.txt)"),
            (b"prog copy " + TYPES + b" Pick", "Pick", "save", "report",
             0, b'copy "T:\\Backup\\report"\r\n', ""),
            (b"prog copy " + TYPES + b" Pick /addExtension", "Pick", "save", "report",
             0, b'copy "T:\\Backup\\report.csv"\r\n', "", 2, "CSV (*.csv)"),
            (b"prog copy " + TYPES + b" Pick /addExtension", "Pick", "save", "report",
             0, b'copy "T:\\Backup\\report"\r\n', "", 3, "All files (*.*)"),
            (b"prog copy " + TYPES + b" Pick /addExtension /overwritePrompt", "Pick", "save",
             "data", 1, b"", "File already exists. Do you want to replace it?"),
            # files to open, a line each, in the order chosen; /noCRLF spares
            # only the last line its CR LF; no replace question
            (b"prog copy T:\\Backup\\*.txt Pick /multiple /noCRLF", "Pick", "save",
             '"data.txt" "b c.txt"', 0,
             b'copy "T:\\Backup\\data.txt"\r\ncopy "T:\\Backup\\b c.txt"', ""),
            (b"prog type T:\\Backup\\*.txt /open /overwritePrompt", "Open", "save",
             "data.txt", 0, b'type "T:\\Backup\\data.txt"\r\n', ""),
            # a folder; a drive's root bare, so that it does not end in \"
            (b"prog xcopy T:\\Backup\\ Pick /folder", "Pick", "save", "Sub", 0,
             b'xcopy "T:\\Backup\\Sub"\r\n', ""),
            (b"prog xcopy T:\\Backup\\ Pick /folder", "Pick", "save", "T:\\", 0,
             b"xcopy T:\\\r\n", ""),
            # one folder of several the picker could take (Wine hands back
            # the Desktop for a second one)
            (b"prog xcopy T:\\Backup\\ Pick /folder /multiple", "Pick", "save", "Sub", 0,
             b'xcopy "T:\\Backup\\Sub"\r\n', ""),
        ]
        for line, title, action, name, exit_value, out, question, *picked in cases:
            with self.subTest(line=line, action=action, name=name, picked=picked):
                run = self.bench.run(line, title, action, name,
                                     file_type=picked[0] if picked else None)
                self.check(run, exit_value, out, question=question, **(
                    {"type": picked[1]} if picked else {}))

    def test_what_the_dialog_shows(self):
        long_patterns = ";".join(f"*.e{i:03d}" for i in range(100))  # 699 bytes
        cases = [
            (b"prog copy T:\\Backup\\*.txt", "Save As", dict(title="Save As", name="",
                                                           type="*.txt", folder="Backup")),
            (b'prog copy "" Pick', "Pick", dict(type="*.*", name="")),
            (b"prog copy T:\\Backup\\ Pick", "Pick", dict(type="", folder="Backup")),
            (b"prog copy T:\\Backup\\" + long_patterns.encode() + b" Pick", "Pick",
             dict(type=long_patterns)),
            (b'prog copy T:\\Backup\\*.txt "Pick <now>: |?" "r\xe9sum\xe9 1.txt"',
             "Pick <now>: |?", dict(name="r\xe9sum\xe9 1.txt")),
        ]
        for line, title, shown in cases:
            with self.subTest(line=line):
                self.check(self.bench.run(line, title, "cancel"), 1, b"", **shown)

    def test_folder_browser_where_the_picker_cannot_be_made(self):
        # Wine makes no picker without comdlg32: the older browser opens in
        # the folder, under the title (Wine's lines on drive Z: go to stderr)
        self.bench.wine.env["WINEDLLOVERRIDES"] = "mscoree,mshtml,comdlg32="
        run = self.bench.run(b"prog copy T:\\Backup\\ Browse /folder", "Browse", "save")
        self.bench.wine.env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
        self.assertEqual((run.exit_value, run.out), (0, b'copy "T:\\Backup"\r\n'), run)

    def test_owner_and_start(self):
        # The dialog belongs to the console window, whatever its title (among
        # them Spanish and Russian consoles' own, as cmd.exe reads them from a
        # script). Started with SW_HIDE (0) or SW_SHOWMINNOACTIVE (7), it has
        # none and opens shown and normal; Wine ignores a starter's show state
        # anyway, so these rows guard the start, not the fix, which only
        # Windows shows.
        for title, lang, show in [("Vorsel console", None, None),
                                  ("Símbolo del sistema - x.cmd", None, None),
                                  ("Командная строка", "ru_RU.UTF-8", None),
                                  (None, None, 0), (None, None, 7)]:
            with self.subTest(title=title, show=show):
                run = self.bench.run(b"prog copy T:\\Backup\\*.txt Owned", "Owned", "cancel",
                                     console_title=title, lang=lang, show=show)
                self.check(run, 1, b"", title="Owned", owner=title or "none", shown="normal")

    def test_full_form_past_260_characters(self):
        # The full form of this text needs more than the first 260-character
        # buffer; the folder part is kept short, since Wine's own dialog
        # crashes on an initial folder longer than that.
        patterns = ";".join(f"*.x{i:02d}" for i in range(50))  # 299 bytes
        line = b"prog copy T:\\Backup\\sub\\..\\" + patterns.encode() + b" Deep"
        run = self.bench.run(line, "Deep", "save", "here.txt")
        self.check(run, 0, b'copy "T:\\Backup\\here.txt"\r\n', folder="Backup", type=patterns)

    def test_default_name_longer_than_the_dialog_takes(self):
        # The name box holds the whole name; Wine's own dialog crashes when
        # asked to save a name past 260 characters, so the user here types
        # a shorter one or cancels.
        line = b"prog copy T:\\Backup\\*.txt Long " + b"n" * 25000
        run = self.bench.run(line, "Long", "cancel")
        self.check(run, 1, b"")
        self.assertTrue(run.report["name"].startswith("n" * 1000))
        run = self.bench.run(line, "Long", "save", "short.txt")
        self.check(run, 0, b'copy "T:\\Backup\\short.txt"\r\n')

if __name__ == "__main__":
    unittest.main(verbosity=2)
