"""Names beyond ASCII on the real exe and dialog, in the code pages Wine
takes from the locale: 1252, and the double-byte 932 and 936, whose second
bytes may be a backslash or a bar. The result line carries the chosen name
byte for byte, or there is no line: a name the code page cannot carry
exactly ends with 1 and a message, and a script's line runs nothing else."""
import os
import tempfile
import unittest

from dialog import DialogBench
from wine import EXE

LOCALES = {"1252": ("en_US.UTF-8", "cp1252"), "932": ("ja_JP.UTF-8", "cp932"),
           "936": ("zh_CN.UTF-8", "gbk")}
REFUSED = (b"The chosen name has characters that this system's ANSI code page cannot carry; "
           b"please choose another name.\n")
INJECTION = "a\uff02 \uff06 md pwned \uff06 \uff02.txt"  # fullwidth quotes and ampersands

# (code page, command line, dialog title (None: no dialog), typed name,
#  exit value, standard output, standard error, what the dialog shows);
# texts are encoded in the code page, the typed name is typed as a user would
ROWS = [
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", "Bericht Müller.txt",
     0, 'c "T:\\cp\\Bericht Müller.txt"\r\n', b"", {}),
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", "Σύνδεση.txt", 1, "", REFUSED, {}),
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", "\U0001F642.txt", 1, "", REFUSED, {}),
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", INJECTION, 1, "", REFUSED, {}),
    # best-fit would make this Capitro.txt, which exists: no question, no line
    ("1252", "prog c T:\\cp\\*.txt Pick /overwritePrompt", "Pick", "Ĉapitro.txt",
     1, "", REFUSED, {"question": ""}),
    ("932", "prog c \"T:\\ポ表\\ソ*.txt;*.ポ\" 表題 ソ表.txt", "表題", None,
     0, 'c "T:\\ポ表\\ソ表.txt"\r\n', b"",
     {"folder": "ポ表", "type": "ソ*.txt;*.ポ", "name": "ソ表.txt"}),
    ("932", "prog c T:\\ポ表\\*.txt 表題", "表題", "Müller.txt", 1, "", REFUSED, {}),
    ("936", "prog c \"T:\\亅乗\\乗*.txt;*.亅\" 标题 亅乗.txt", "标题", None,
     0, 'c "T:\\亅乗\\亅乗.txt"\r\n', b"",
     {"folder": "亅乗", "type": "乗*.txt;*.亅", "name": "亅乗.txt"}),
    ("932", "prog c T:\\cp\\*.txt T 表\\x.txt", None, None,
     255, "", "Invalid parameter: 表\\x.txt\n", {}),
    ("936", "prog c T:\\cp\\*.txt T 亅|x.txt", None, None,
     255, "", "Invalid parameter: 亅|x.txt\n", {}),
]


class CodePages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bench = DialogBench("wine-codepages")
        cls.existing = cls.bench.path("cp", "Capitro.txt")
        with open(cls.existing, "w") as existing:
            existing.write("keep me\n")
        cls.bench.path("ポ表", "x")
        cls.bench.path("亅乗", "x")
        cls.bench.run(b"prog warm T:\\*.* Warm", "Warm", "cancel")

    @classmethod
    def tearDownClass(cls):
        cls.bench.stop()

    def test_rows(self):
        for page, line, title, typed, exit_value, out, err, shown in ROWS:
            lang, codec = LOCALES[page]
            encode = lambda text: text.encode(codec) if isinstance(text, str) else text
            with self.subTest(page=page, line=line, typed=typed):
                if title is None:
                    got = self.bench.wine.run(encode(line), cwd=self.bench.folder, lang=lang)
                    self.assertEqual(got, (exit_value, encode(out), encode(err)))
                    continue
                run = self.bench.run(encode(line), title, "save", typed, lang=lang)
                self.assertEqual((run.exit_value, run.out, run.err),
                                 (exit_value, encode(out), encode(err)))
                self.assertEqual(run.report.get("title"), title)
                for key, value in shown.items():
                    self.assertEqual(run.report.get(key), value, key)
        with open(self.existing) as existing:
            self.assertEqual(existing.read(), "keep me\n")

    def test_a_called_line_runs_nothing_but_the_assignment(self):
        # The script writes the tool's line into a .cmd and calls it, then
        # writes to the name it was given; a refused name leaves it nothing.
        wine = self.bench.wine
        for typed in (INJECTION, "Ĉapitro.txt"):
            with self.subTest(typed=typed), tempfile.TemporaryDirectory(dir=wine.work) as work:
                w = wine.windows_path
                pick, script = os.path.join(work, "pick.cmd"), os.path.join(work, "use.cmd")
                with open(script, "w", newline="\r\n") as cmd:
                    cmd.write(f'@echo off\n"{w(EXE)}" "set target=" T:\\cp\\*.txt Pick '
                              f'> "{w(pick)}"\necho tool %errorlevel%\ncall "{w(pick)}"\n'
                              'if defined target echo overwritten> %target%\n')
                run = self.bench.run_script(script, [], "Pick", "save", typed)
                self.assertEqual(run.out.strip(), b"tool 1")
                self.assertIn(REFUSED, run.err)
                with open(pick, "rb") as line:
                    self.assertEqual(line.read(), b"")
                self.assertFalse(os.path.exists(os.path.join(self.bench.folder, "pwned")))
                with open(self.existing) as existing:
                    self.assertEqual(existing.read(), "keep me\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
