"""The release zip, built twice from the same commit in two folders at two
times: the exe and the zip come out byte for byte the same, the zip holds
one top folder with what a user needs, and SHA256SUMS matches the exe."""
import hashlib
import io
import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile

from wine import BUILD, SOURCE

TOP = "Tamvick-1.5-win64/"
CONTENTS = ["", "docs/", "examples/", "Tamvick.exe", "SHA256SUMS", "README.md", "LICENSE",
            "docs/usage.md", "docs/dialog.png", "examples/pick-name.cmd",
            "examples/save-copy.cmd", "examples/write-report.cmd", "examples/copy-files.cmd"]


def build(folder):
    """Clones the commit into folder, builds its package there and returns
    the bytes of the exe and of the zip."""
    subprocess.run(["git", "clone", "-q", "--no-hardlinks", SOURCE, folder], check=True)
    env = dict(os.environ)
    env.pop("SOURCE_DATE_EPOCH", None)
    for command in (["cmake", "--preset", "windows"],
                    ["cmake", "--build", "--preset", "windows", "--target", "package"]):
        subprocess.run(command, cwd=folder, env=env, check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL)
    built = os.path.join(folder, "build", "windows")
    with open(os.path.join(built, "Tamvick.exe"), "rb") as exe, \
            open(os.path.join(built, "Tamvick-1.5-win64.zip"), "rb") as archive:
        return exe.read(), archive.read()


class Release(unittest.TestCase):
    def test_two_builds_give_the_same_bytes(self):
        if not os.path.isdir(os.path.join(SOURCE, ".git")):
            self.skipTest("the sources are no git checkout")
        work = tempfile.mkdtemp(prefix="release-", dir=BUILD)
        try:
            first = build(os.path.join(work, "one"))
            second = build(os.path.join(work, "elsewhere", "two"))
            for path in (work, SOURCE):
                self.assertNotIn(path.encode(), first[0])
        finally:
            shutil.rmtree(work, ignore_errors=True)
        self.assertEqual(first[0], second[0], "Tamvick.exe differs")
        self.assertEqual(first[1], second[1], "the zip differs")

        archive = zipfile.ZipFile(io.BytesIO(first[1]))
        self.assertEqual(archive.namelist(), [TOP + name for name in CONTENTS])
        self.assertEqual(archive.read(TOP + "Tamvick.exe"), first[0])
        self.assertEqual(archive.read(TOP + "SHA256SUMS").decode(),
                         hashlib.sha256(first[0]).hexdigest() + "  Tamvick.exe\n")
        with open(os.path.join(SOURCE, "LICENSE"), "rb") as licence:
            self.assertEqual(archive.read(TOP + "LICENSE"), licence.read())


if __name__ == "__main__":
    unittest.main(verbosity=2)
