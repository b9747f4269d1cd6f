"""Command lines a careless or hostile script could send, on the real
exe with a display, each with its whole outcome: exit value, standard
output and standard error bytes, and whether the dialog appeared. A row
without a dialog must end by itself; a row with one is read and answered."""
import os
import unittest

from dialog import DialogBench
from wine import VERSION

LONGEST = 32767  # characters Windows takes on a command line, with its NUL
EVERY_BYTE = bytes(b for b in range(1, 256) if b not in b' "')
PATTERNS_600 = ";".join(f"*.p{i:03d}" for i in range(86)).encode()[:600]
PATTERNS_20000 = ";".join(f"*.q{i:04d}" for i in range(2858)).encode()[:20000]
DEEP = "\\".join(f"deep{i:02d}" for i in range(45))  # 314 characters under T:\

# (command line, dialog title or None, driver action, typed name,
#  exit value, exact standard output, exact standard error, what the dialog shows)
ROWS = [
    (b"prog c p t " + b"n" * (LONGEST - 13) + b":", None, None, None,
     255, b"", b"Invalid parameter: " + b"n" * (LONGEST - 13) + b":\n", {}),
    (b"prog c p" + b" a" * ((LONGEST - 14) // 2) + b" /bad", None, None, None,
     255, b"", b"Invalid option: /bad\n", {}),
    (b"prog c T:\\*.txt Many" + b" b" * ((LONGEST - 22) // 2), "Many", "cancel", None,
     1, b"", b"", {"name": "b"}),
    (b"prog c p t /" + EVERY_BYTE, None, None, None,
     255, b"", b"Invalid option: /" + EVERY_BYTE + b"\n", {}),
    (b"prog c p t " + EVERY_BYTE, None, None, None,
     255, b"", b"Invalid parameter: " + EVERY_BYTE + b"\n", {}),
    (b'prog "', None, None, None, 0, b"", None, {}),
    (b"prog         ", None, None, None, 0, b"", None, {}),
    (b"prog\tc\tT:\\*.txt\tTab", None, None, None, 0, b"", None, {}),
    (b'prog c "T:\\Backup\\*.txt', "Save As", "cancel", None, 1, b"", b"",
     {"type": "*.txt", "folder": "Backup"}),
    # without an initial folder the dialog opens where it last was, so the
    # user types a full path
    (b'prog "c T:\\Backup\\*.txt Title', "Save As", "save", "T:\\x.txt",
     0, b'c T:\\Backup\\*.txt Title "T:\\x.txt"\r\n', b"", {"type": "*.*"}),
    (b"prog c T:\\Backup\\" + PATTERNS_600 + b" P600", "P600", "save", "x.txt",
     0, b'c "T:\\Backup\\x.txt"\r\n', b"", {"type": PATTERNS_600.decode()}),
    (b"prog c T:\\Backup\\" + PATTERNS_20000 + b" P20000", "P20000", "cancel", None,
     1, b"", b"", {"type": PATTERNS_20000.decode()}),
    (b"prog c T:\\Backup\\*.txt Long " + b"n" * 25000, "Long", "cancel", None,
     1, b"", b"", {"folder": "Backup"}),
    (b"prog c T:\\" + DEEP.encode() + b"\\*.txt Deep", "Deep", "save", "T:\\x.txt",
     0, b'c "T:\\x.txt"\r\n', b"", {"type": "*.txt"}),
    # a user who walks away: the dialog ends on time, a question on it first,
    # and an answer in time counts
    (b"prog c T:\\Backup\\*.txt Late /timeout:3", "Late", "peek", None,
     5, b"", b"No answer came within 3 seconds; no name was chosen.\n", {}),
    (b"prog c T:\\Backup\\ Late /folder /TIMEOUT:3", "Late", "peek", None,
     5, b"", b"No answer came within 3 seconds; no folder was chosen.\n", {}),
    (b"prog c T:\\Backup\\*.txt Late data.txt /overwritePrompt /timeout:6", "Late", "save-wait",
     None, 5, b"", b"No answer came within 6 seconds; no name was chosen.\n",
     {"question": "File already exists. Do you want to replace it?"}),
    (b"prog c T:\\Backup\\*.txt Late /timeout:600", "Late", "save", "x.txt",
     0, b'c "T:\\Backup\\x.txt"\r\n', b"", {}),
]


class Hostile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bench = DialogBench("wine-hostile")
        open(cls.bench.path("Backup", "data.txt"), "w").close()
        cls.bench.path(*DEEP.split("\\"), "here.txt")
        cls.bench.run(b"prog warm T:\\*.* Warm", "Warm", "cancel")

    @classmethod
    def tearDownClass(cls):
        cls.bench.stop()

    def test_rows(self):
        usage = None
        for line, title, action, name, exit_value, out, err, shown in ROWS:
            with self.subTest(line=line[:60], length=len(line)):
                if title is None:
                    got = self.bench.wine.run(line, cwd=self.bench.folder)
                    if err is None:  # the usage text, checked byte for byte elsewhere
                        self.assertTrue(got[2].startswith(f"Vorsel {VERSION}/x64\r\n\r\n".encode()), got)
                        usage = usage or got[2]
                        self.assertEqual(got[2], usage)
                        got = got[:2] + (None,)
                    self.assertEqual(got, (exit_value, out, err))
                    continue
                run = self.bench.run(line, title, action, name)
                self.assertEqual((run.exit_value, run.out, run.err), (exit_value, out, err), run)
                self.assertEqual(run.report.get("title"), title, run)
                for key, value in shown.items():
                    self.assertEqual(run.report.get(key), value, key)

    def test_output_nobody_can_read(self):
        for stdout in ("full", "closed"):
            with self.subTest(stdout=stdout):
                run = self.bench.run(b"prog c T:\\Backup\\*.txt Pick", "Pick", "save",
                                     "x.txt", stdout=stdout)
                self.assertEqual((run.exit_value, run.err), (1, b""), run)
                self.assertEqual(run.report.get("title"), "Pick", run)
                run = self.bench.run(b"prog c T:\\Backup\\*.txt Pick", "Pick", "cancel",
                                     stdout=stdout)
                self.assertEqual((run.exit_value, run.err), (1, b""), run)


if __name__ == "__main__":
    unittest.main(verbosity=2)
