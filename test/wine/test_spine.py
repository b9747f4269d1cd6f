"""The real Tamvick.exe under Wine, each run started with an exact command
line: help and refusals, with exact exit values and standard error bytes and
nothing on standard output, whatever bytes the caller sends."""
import unittest

from wine import VERSION, Wine

USAGE_LINES = [
    f"Vorsel {VERSION}/x64", "", "Syntax:",
    '    Tamvick "CommandString" "PathAndFilters" "WindowTitle" ["DefaultName"]       '
    "[Options]",
    "CommandString", "    will be prepended to the returnd file name(s)",
    "PathAndFilters ",
    "    initial path with one or more file pattern(s), separated by semicolon.",
    '    or file types: "C:\\Docs\\Text files (*.txt)|*.txt|All files (*.*)|*.*"',
    "WindowTitle", "    whatever you want to show in the title bar ",
    "DefaultName", "    to initialize the name input control (without path!)",
    "Options", "    /overwritePrompt /noCRLF /noQuote /utf8 /addExtension",
    "    /open /multiple /folder /timeout:N"]
USAGE = "".join(line + "\r\n" for line in USAGE_LINES).encode() + b"\n"

ALL_BYTES = bytes(b for b in range(1, 256) if b not in b' "')
LONGEST = 32767  # characters Windows takes on a command line, with its NUL

# (command line, exit value, exact standard error)
CASES = [
    (b"prog", 0, USAGE),
    (b"", 0, USAGE),
    (b"prog \"\" x", 0, USAGE),
    (b"prog /?", 0, USAGE),
    (b"\"prog\"/?", 0, USAGE),
    (b"prog      ", 0, USAGE),
    (b"prog \"", 0, USAGE),
    (b"prog \"\"\"", 0, USAGE),
    (b"prog cmd *.txt Title /?", 255, b"Invalid option: /?\n"),
    (b"prog cmd *.txt Title /noQuote2", 255, b"Invalid option: /noQuote2\n"),
    (b"prog cmd *.txt /NoCrLf T /OverWritePrompt a.txt /NOQUOTES /X", 255,
     b"Invalid option: /X\n"),
    (b"prog cmd *.txt Title a.txt bad:name", 255, b"Invalid parameter: bad:name\n"),
    (b"prog cmd T:\\ /Folder T /multiple /OPEN /x", 255, b"Invalid options: /Folder with /OPEN\n"),
    (b"prog cmd *.txt T \"a\tb\"", 255, b"Invalid parameter: a\tb\n"),
    (b"prog\tcmd *.txt T x /bad", 255, b"Invalid option: /bad\n"),
    (b"prog cmd *.txt T \"/unclosed", 255, b"Invalid option: /unclosed\n"),
    (b"prog cmd *.txt T " + ALL_BYTES, 255, b"Invalid parameter: " + ALL_BYTES + b"\n"),
    (b"prog cmd *.txt T /" + ALL_BYTES, 255, b"Invalid option: /" + ALL_BYTES + b"\n"),
    (b"prog c p t " + b"n" * (LONGEST - 13) + b":", 255,
     b"Invalid parameter: " + b"n" * (LONGEST - 13) + b":\n"),
    (b"prog" + b" a" * ((LONGEST - 10) // 2) + b" /bad", 255, b"Invalid option: /bad\n"),
]


class Spine(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.wine = Wine("wine-spine")

    @classmethod
    def tearDownClass(cls):
        cls.wine.stop()

    def test_files(self):
        for line, exit_value, error in CASES:
            with self.subTest(line=line[:80]):
                self.assertEqual(self.wine.run(line), (exit_value, b"", error))

    def test_pipes(self):
        for line, exit_value, error in CASES[:3] + CASES[8:12]:
            with self.subTest(line=line[:80]):
                self.assertEqual(self.wine.run(line, stdout="pipe"), (exit_value, b"", error))

    def test_console(self):
        cases = [(b"prog", 0, "\n".join(l.rstrip() for l in USAGE_LINES if l.strip())),
                 (b"prog c p t /Bad", 255, "Invalid option: /Bad"),
                 (b"prog c p t a b:c", 255, "Invalid parameter: b:c")]
        for line, exit_value, shown in cases:
            with self.subTest(line=line):
                self.assertEqual(self.wine.run_on_console(line), (exit_value, shown))

    def test_window_station_no_one_sees(self):
        # a service's or a scheduled task's: the dialog path ends at once,
        # help and refusals stay as they are
        unseen = (b"No one can see a dialog in this session (a service, a scheduled task or a "
                  b"remote shell); no name was chosen.\n")
        for line, exit_value, error in [(b"prog c *.txt Pick", 1, unseen), CASES[0], CASES[8]]:
            with self.subTest(line=line):
                self.assertEqual(self.wine.run(line, hidden=True, timeout=60),
                                 (exit_value, b"", error))

    def test_no_usable_output_stream(self):
        for stdout in ("full", "closed"):
            with self.subTest(stdout=stdout):
                self.assertEqual(self.wine.run(b"prog /x p t /y", stdout=stdout),
                                 (255, b"", b"Invalid option: /y\n"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
