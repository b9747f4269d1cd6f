"""The example scripts, run end to end by Wine's cmd.exe with the real
dialog worked by the driver: each ends having used the name chosen, leaves
everything alone on cancel, and stops with its own message on a bad call."""
import os
import unittest

from dialog import DialogBench
from wine import BUILD, SOURCE


class Examples(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bench = DialogBench("wine-examples")
        # cmd.exe finds Tamvick on its path
        cls.bench.wine.env["WINEPATH"] = cls.bench.wine.windows_path(BUILD)
        with open(cls.bench.path("src", "data.txt"), "w") as source:
            source.write("the data\n")
        cls.bench.path("Backup", "old.txt")
        cls.bench.path("Logs", "x.log")

    @classmethod
    def tearDownClass(cls):
        cls.bench.stop()

    def script(self, name, args, title, action, typed=None):
        """Runs examples/NAME with args and works its dialog; returns the
        exit value, standard output and error as text, and the report."""
        run = self.bench.run_script(os.path.join(SOURCE, "examples", name), args, title, action,
                                    typed)
        return run.exit_value, run.out.decode("latin-1"), run.err.decode("latin-1"), run.report

    def test_save_copy(self):
        target = self.bench.path("Backup", "copy one.txt")
        exit_value, out, err, report = self.script(
            "save-copy.cmd", ["T:\\src\\data.txt", "T:\\Backup"], "Save a copy of data.txt",
            "save", "copy one.txt")
        self.assertEqual((exit_value, err), (0, ""))
        self.assertEqual(report["name"], "data.txt")
        self.assertIn('Copy saved as "T:\\Backup\\copy one.txt"', out)
        with open(target) as copy:
            self.assertEqual(copy.read(), "the data\n")

        self.assertEqual(self.script("save-copy.cmd", ["T:\\src\\data.txt", "T:\\Backup"],
                                     "Save a copy of data.txt", "cancel")[:3],
                         (1, "No name chosen; nothing was copied.\r\n", ""))
        exit_value, out, err, _ = self.script(
            "save-copy.cmd", ["T:\\src\\data.txt", "T:\\Backup", "bad:name"], None, None)
        self.assertEqual((exit_value, out), (2, ""))
        self.assertEqual(err, "Invalid parameter: bad:name\n"
                         "save-copy: Tamvick refused the call; see its message above. \r\n")

    def test_pick_name(self):
        exit_value, out, err, report = self.script(
            "pick-name.cmd", ["T:\\Logs"], "Where should the log go?", "save", "my build.log")
        self.assertEqual((exit_value, out, err),
                         (0, 'The log goes to: "T:\\Logs\\my build.log"\r\n', ""))
        self.assertEqual((report["name"], report["type"], report["folder"]),
                         ("build.log", "*.log;*.txt", "Logs"))
        self.assertEqual(self.script("pick-name.cmd", ["T:\\Logs"], "Where should the log go?",
                                     "cancel")[:3], (1, "No name chosen.\r\n", ""))
        exit_value, out, err, _ = self.script("pick-name.cmd", ["T:\\Logs", "what?.log"], None,
                                              None)
        self.assertEqual((exit_value, out), (2, ""))
        self.assertTrue(err.startswith("Invalid parameter: what?.log\n"), err)

    def test_write_report(self):
        report_file = self.bench.path("Backup", "week 49.txt")
        exit_value, out, err, _ = self.script(
            "write-report.cmd", ["T:\\Backup"], "Save the report as", "save", "week 49.txt")
        self.assertEqual((exit_value, out, err),
                         (0, 'Report written to "T:\\Backup\\week 49.txt"\r\n', ""))
        with open(report_file) as written:
            lines = written.read().splitlines()
        self.assertTrue(lines[0].startswith("Report of "))
        self.assertEqual(lines[2], "Folder asked for: T:\\Backup")

        backup = os.path.join(self.bench.folder, "Backup")
        before = sorted(os.listdir(backup))
        self.assertEqual(self.script("write-report.cmd", ["T:\\Backup"], "Save the report as",
                                     "cancel")[:3],
                         (1, "No file chosen; nothing was written.\r\n", ""))
        exit_value, out, err, _ = self.script("write-report.cmd", ["T:\\Backup", "x?.txt"],
                                              None, None)
        self.assertEqual((exit_value, out), (2, ""))
        self.assertIn("write-report: Tamvick refused the call", err)
        self.assertEqual(sorted(os.listdir(backup)), before)


if __name__ == "__main__":
    unittest.main(verbosity=2)
