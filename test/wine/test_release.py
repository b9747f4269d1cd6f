"""The release zip, built twice from the same commit in two folders at two
times: the exe and the zip come out byte for byte the same, the zip holds
one top folder with what a user needs, and SHA256SUMS matches the exe. Signed
with a throwaway key, the zip holds that same exe signed, or there is no zip."""
import hashlib
import io
import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile
from pathlib import Path

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


def signing_key(folder, name, purpose):
    """A throwaway certificate for purpose, and a .pfx of it and its key (password Pw-7731)."""
    cert, key, pfx = (os.path.join(folder, name + end) for end in (".pem", ".key", ".pfx"))
    for command in (["req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=Vorsel test",
                     "-addext", "extendedKeyUsage=" + purpose, "-keyout", key, "-out", cert],
                    ["pkcs12", "-export", "-inkey", key, "-in", cert, "-out", pfx,
                     "-passout", "pass:Pw-7731"]):
        subprocess.run(["openssl", *command], check=True, capture_output=True)
    return cert, pfx


class Release(unittest.TestCase):
    def test_two_builds_give_the_same_bytes_and_signed_the_same_exe(self):
        if not os.path.isdir(os.path.join(SOURCE, ".git")):
            self.skipTest("the sources are no git checkout")
        work = tempfile.mkdtemp(prefix="release-", dir=BUILD)
        try:
            one = os.path.join(work, "one")
            first = build(one)
            second = build(os.path.join(work, "elsewhere", "two"))
            for path in (work, SOURCE):
                self.assertNotIn(path.encode(), first[0])
            # signed with throwaway keys, the zip holds that exe signed, or,
            # refused, there is no zip; the built exe stays unsigned
            cert, signing = signing_key(work, "signing", "codeSigning")
            web, pfx = signing_key(work, "web", "serverAuth")[1], os.path.join(work, "key.pfx")
            subprocess.run(["cmake", "--preset", "windows", "-DVORSEL_SIGN_PKCS12=" + pfx],
                           cwd=one, check=True, stdout=subprocess.DEVNULL)
            built = Path(one, "build", "windows")
            for key, password, refusal in ((signing, "Pw-7731", None),
                                           (signing, "Pw-7732", "a wrong password"),
                                           (web, "Pw-7731", "is not for code signing")):
                shutil.copy(key, pfx)
                run = subprocess.run(["cmake", "--build", "--preset", "windows", "--target",
                                      "package"], cwd=one, capture_output=True, text=True,
                                     env=dict(os.environ, VORSEL_SIGN_PASSWORD=password))
                self.assertEqual(run.returncode != 0, refusal is not None, run.stdout)
                self.assertIn(refusal or "", run.stdout + run.stderr)
                self.assertNotIn(password, run.stdout + run.stderr)
                if refusal is None:
                    archive = zipfile.ZipFile(built / "Tamvick-1.5-win64.zip")
                    signed, bare = Path(work, "signed.exe"), Path(work, "bare.exe")
                    signed.write_bytes(archive.read(TOP + "Tamvick.exe"))
                    for command in (["verify", "-CAfile", cert, "-in", signed],
                                    ["remove-signature", "-in", signed, "-out", bare]):
                        subprocess.run(["osslsigncode", *command], check=True, capture_output=True)
                    self.assertEqual(bare.read_bytes(), first[0])
                    self.assertEqual(archive.read(TOP + "SHA256SUMS").decode(), hashlib.sha256(
                        signed.read_bytes()).hexdigest() + "  Tamvick.exe\n")
            self.assertEqual((built / "Tamvick.exe").read_bytes(), first[0], "signed in place")
            self.assertFalse((built / "Tamvick-1.5-win64.zip").exists())
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
