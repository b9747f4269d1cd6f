"""Names beyond ASCII on the real exe and dialog, in the code pages Wine
takes from the locale: 1252, and the double-byte 932 and 936, whose second
bytes may be a backslash or a bar, and in a real console, whose own code
page is the one its scripts are read in. The result line carries the chosen
name byte for byte in the code page its reader reads, or there is no line:
a name that code page cannot carry exactly ends with 1 and a message, and a
script's line runs nothing else. The parameters reach the dialog as the
caller wrote them, whatever the ANSI code page lacks, and with /utf8 a
program reads the line in UTF-8."""
import os
import subprocess
import tempfile
import unittest

from dialog import DialogBench
from wine import EXE, in_locale

LOCALES = {"1252": ("en_US.UTF-8", "cp1252"), "932": ("ja_JP.UTF-8", "cp932"),
           "936": ("zh_CN.UTF-8", "gbk"), "1251": ("ru_RU.UTF-8", "cp1251")}
CONSOLES = {"437": "cp437", "850": "cp850", "866": "cp866", "65001": "utf-8", "1252": "cp1252"}
DEFAULT_CONSOLE = {"1252": "437", "1251": "866"}  # the locale's OEM code page
REFUSED = ("The chosen name has characters that this system's ANSI code page cannot carry; "
           "please choose another name.\n")
REFUSED_437 = REFUSED.replace("this system's ANSI code page", "this console's code page (437)")
CONTROL = ("The chosen name holds a control character (such as a line break), which would split "
           "the line; please choose another name.\n")
REFUSED_ONE = REFUSED.replace("name has", 'name "T:\\cp\\???????.txt" has')
COMMAND_ANSI = ("The CommandString has characters that this system's ANSI code page cannot "
                "carry.\n")
INJECTION = "a\uff02 \uff06 md pwned \uff06 \uff02.txt"  # fullwidth quotes and ampersands
SET = 'prog "set target=" T:\\cp\\*.txt Pick'


# (code page, command line, dialog title (None: no dialog), typed name,
#  exit value, standard output, standard error, what the dialog shows);
# "1252/850" runs in a console switched to 850 with chcp, "1252/437" in one
# left at the locale's own code page, which also runs the line with call and
# makes the file it names; a list is arguments for wine from Unix, which
# hands them over in UTF-16 as a program would, and the line comes back
# through a pipe. Texts are encoded in the code page the reader reads, UTF-8
# with /utf8; the typed name is typed as a user would.
ROWS = [
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", "Bericht Müller.txt",
     0, 'c "T:\\cp\\Bericht Müller.txt"\r\n', b"", {}),
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", "Σύνδεση.txt", 1, "", REFUSED, {}),
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", "\U0001F642.txt", 1, "", REFUSED, {}),
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", INJECTION, 1, "", REFUSED, {}),
    ("1252", "prog c T:\\cp\\*.txt Pick", "Pick", "x\r\nmd PWNED&rem .txt", 1, "", CONTROL, {}),
    ("1252", "prog c T:\\cp\\*.txt Pick /multiple", "Pick", '"Müller.txt" "Σύνδεση.txt"',
     1, "", REFUSED_ONE, {}),
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
    ("1252/437", SET, "Pick", "café Müller.txt",
     0, 'set target="T:\\cp\\café Müller.txt"\r\n', "", {}),
    ("1251/866", SET, "Pick", "Привет мир.txt",
     0, 'set target="T:\\cp\\Привет мир.txt"\r\n', "", {}),
    ("1252/437", SET, "Pick", "Øre.txt", 1, "", REFUSED_437, {}),
    ("1252/850", SET, "Pick", "Øre.txt", 0, 'set target="T:\\cp\\Øre.txt"\r\n', "", {}),
    ("1252/65001", SET, "Pick", "\U0001F642 Σ.txt",
     0, 'set target="T:\\cp\\\U0001F642 Σ.txt"\r\n', "", {}),
    ("1252/1252", SET, "Pick", "Σύνδεση.txt", 1, "", REFUSED, {}),
    ("1252/437", 'prog "set target=Ø" T:\\cp\\*.txt', None, None, 255, "",
     "The CommandString has characters that this console's code page (437) cannot carry.\n", {}),
    ("1252/437", "prog c T:\\cp\\*.txt T é:x", None, None,
     255, "", "Invalid parameter: é:x\n", {}),
    ("1252", ["x\uff02 /noQuote \uff02& calc", "T:\\cp\\*.txt"], None, None, 255, "",
     COMMAND_ANSI, {}),
    # texts the ANSI code page lacks reach the dialog as written
    ("1252", ["c", "T:\\cp\\*.txt", "Ĉapitro Выбор", "Выбор.txt"], "Ĉapitro Выбор", "x.txt",
     0, 'c "T:\\cp\\x.txt"\r\n', "", {"name": "Выбор.txt"}),
    ("1252", ["=", "T:\\cp\\Ωδ\\*.txt", "/noQuote", "/noCRLF", "/utf8", "Επιλογή 表"],
     "Επιλογή 表", "Ωmega 表 \U0001F642.txt", 0, "=T:\\cp\\Ωδ\\Ωmega 表 \U0001F642.txt", "",
     {"folder": "Ωδ"}),
]


class CodePages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bench = DialogBench("wine-codepages")
        cls.existing = cls.bench.path("cp", "Capitro.txt")
        with open(cls.existing, "w") as existing:
            existing.write("keep me\n")
        for name in ("Müller.txt", "Σύνδεση.txt"):
            open(cls.bench.path("cp", name), "w").close()
        cls.bench.path("ポ表", "x")
        cls.bench.path("亅乗", "x")
        cls.bench.path("cp", "Ωδ", "x")
        cls.bench.run(b"prog warm T:\\*.* Warm", "Warm", "cancel")

    @classmethod
    def tearDownClass(cls):
        cls.bench.stop()

    def test_rows(self):
        for page, line, title, typed, exit_value, out, err, shown in ROWS:
            ansi, _, console = page.partition("/")
            lang, codec = LOCALES[ansi]
            reader = CONSOLES[console] if console else codec
            reader = "utf-8" if "/utf8" in line else reader
            listed = isinstance(line, list)
            encode = lambda text, to=reader: text.encode(to) if isinstance(text, str) else text
            with self.subTest(page=page, line=line, typed=typed):
                if listed and title is None:
                    got = subprocess.run(["wine", EXE] + line, stdin=subprocess.DEVNULL,
                                         env=in_locale(self.bench.wine.env, lang),
                                         capture_output=True, timeout=120)
                    self.assertEqual((got.returncode, got.stdout, got.stderr),
                                     (exit_value, encode(out), encode(err)))
                    continue
                if title is None and not console:
                    got = self.bench.wine.run(encode(line), cwd=self.bench.folder, lang=lang)
                    self.assertEqual(got, (exit_value, encode(out), encode(err)))
                    continue
                # the console's own code page also runs the line with call
                chcp = console if console and console != DEFAULT_CONSOLE[ansi] else None
                then = ['call "{out}"', "if defined target type nul > %target%"]
                then = then if console and not chcp else []
                run = self.bench.run(line if listed else encode(line, codec), title, "save",
                                     typed, lang=lang, stdout="pipe" if listed else "file",
                                     console_title="Vorsel console" if console else None,
                                     chcp=chcp, then=then)
                self.assertEqual((run.exit_value, run.out, run.err),
                                 (exit_value, encode(out), encode(err)), run)
                self.assertEqual(run.report.get("title"), title, run)
                for key, value in shown.items():
                    self.assertEqual(run.report.get(key), value, key)
                if then and exit_value == 0:
                    self.assertTrue(os.path.exists(self.bench.path("cp", typed)), typed)
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
                self.assertIn(REFUSED.encode(), run.err)
                with open(pick, "rb") as line:
                    self.assertEqual(line.read(), b"")
                self.assertFalse(os.path.exists(os.path.join(self.bench.folder, "pwned")))
                with open(self.existing) as existing:
                    self.assertEqual(existing.read(), "keep me\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
