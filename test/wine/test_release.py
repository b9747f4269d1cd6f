"""The release zip, built twice from the same commit in two folders at two
times: the exe and the zip come out byte for byte the same, the zip holds
one top folder with what a user needs, and SHA256SUMS matches the exe. Signed
with a throwaway key, the zip holds that same exe signed, or there is no zip;
given the address it is downloaded from, the release holds the manifests for
winget and Scoop, or, given a bad one, nothing."""
import hashlib
import io
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile
from pathlib import Path

from wine import BUILD, SOURCE, VERSION

TOP = f"Tamvick-{VERSION}-win64/"
ZIP = f"Tamvick-{VERSION}-win64.zip"
URL = f"https://vorsel.example/releases/{VERSION}"
HOME = "https://vorsel.example/tamvick"
WINGET = Path("winget", "manifests", "v", "Vorsel", "Tamvick", VERSION)
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
            open(os.path.join(built, ZIP), "rb") as archive:
        return exe.read(), archive.read()


def signing_key(folder, name, purpose, password="Pw-7731", days=(-1, 30)):
    """A throwaway certificate for purpose, valid between the days given
    (from today), and a .pfx of it and its key."""
    cert, key, pfx, csr = (os.path.join(folder, name + end)
                           for end in (".pem", ".key", ".pfx", ".csr"))
    Path(folder, "index").touch()
    Path(folder, "ca.cnf").write_text(f"[ca]\ndefault_ca=d\n[d]\ndatabase={folder}/index\n"
                                      f"new_certs_dir={folder}\nrand_serial=yes\npolicy=p\n"
                                      "unique_subject=no\ncopy_extensions=copy\ndefault_md"
                                      "=sha256\n[p]\n")
    start, end = (time.strftime("%Y%m%d%H%M%SZ", time.gmtime(time.time() + 86400 * day))
                  for day in days)
    for command in (["req", "-new", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=Vorsel test",
                     "-addext", "extendedKeyUsage=" + purpose, "-keyout", key, "-out", csr],
                    ["ca", "-batch", "-selfsign", "-keyfile", key, "-in", csr, "-config",
                     Path(folder, "ca.cnf"), "-startdate", start, "-enddate", end, "-out", cert],
                    ["pkcs12", "-export", "-inkey", key, "-in", cert, "-out", pfx,
                     "-passout", "pass:" + password]):
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
            keys = {name: signing_key(work, name, purpose, *more) for name, purpose, *more in (
                ("signing", "codeSigning"), ("web", "serverAuth"), ("bare", "codeSigning", ""),
                ("expired", "codeSigning", "Pw-7731", (-30, -1)))}
            pfx, built = os.path.join(work, "key.pfx"), Path(one, "build", "windows")

            def configure(*settings):
                subprocess.run(["cmake", "--preset", "windows", *settings], cwd=one, check=True,
                               stdout=subprocess.DEVNULL)

            def package(password=""):
                return subprocess.run(["cmake", "--build", "--preset", "windows", "--target",
                                       "package"], cwd=one, capture_output=True, text=True,
                                      env=dict(os.environ, VORSEL_SIGN_PASSWORD=password))

            configure("-DVORSEL_SIGN_PKCS12=" + pfx)
            for key, password, refusal in (("signing", "Pw-7732", "a wrong password"),
                                           ("web", "Pw-7731", "is not for code signing"),
                                           ("expired", "Pw-7731", "has expired"),
                                           ("signing", "Pw-7731", None), ("bare", "", None)):
                cert = keys[key][0]
                shutil.copy(keys[key][1], pfx)
                run = package(password)
                self.assertEqual(run.returncode != 0, refusal is not None, run.stdout)
                self.assertIn(refusal or "", run.stdout + run.stderr)
                if password:
                    self.assertNotIn(password, run.stdout + run.stderr)
                if refusal is None:
                    archive = zipfile.ZipFile(built / ZIP)
                    signed, bare = Path(work, key + "-signed.exe"), Path(work, key + "-bare.exe")
                    signed.write_bytes(archive.read(TOP + "Tamvick.exe"))
                    for command in (["verify", "-CAfile", cert, "-in", signed],
                                    ["remove-signature", "-in", signed, "-out", bare]):
                        subprocess.run(["osslsigncode", *command], check=True, capture_output=True)
                    self.assertEqual(bare.read_bytes(), first[0])
                    self.assertEqual(archive.read(TOP + "SHA256SUMS").decode(), hashlib.sha256(
                        signed.read_bytes()).hexdigest() + "  Tamvick.exe\n")
            # signing off, with an address and no page of the project's:
            # nothing; with one, the unsigned zip, the same with or without
            # an address, and manifests that name it and its exe
            configure("-DVORSEL_SIGN_PKCS12=", "-DVORSEL_RELEASE_URL=" + URL)
            self.assertIn("needs VORSEL_HOMEPAGE", package().stdout)
            self.assertFalse((built / ZIP).exists())
            configure("-DVORSEL_HOMEPAGE=" + HOME)
            self.assertEqual(package().returncode, 0)
            self.assertEqual((built / ZIP).read_bytes(), first[1])
            subprocess.run(["sha256sum", "-c", ZIP + ".sha256"], cwd=built, check=True,
                           stdout=subprocess.DEVNULL)
            digest = hashlib.sha256(first[1]).hexdigest()
            names = zipfile.ZipFile(io.BytesIO(first[1])).namelist()
            installer = (built / WINGET / "Vorsel.Tamvick.installer.yaml").read_text()
            self.assertIn(f"  InstallerUrl: '{URL}/{ZIP}'\n  InstallerSha256: {digest.upper()}\n",
                          installer)
            exe = re.search(r"RelativeFilePath: (.*)", installer)[1]
            scoop = json.loads((built / "scoop" / "tamvick.json").read_text())
            self.assertEqual(scoop["architecture"]["64bit"]["hash"], digest)
            self.assertIn(exe.replace("\\", "/"), names)
            self.assertIn(scoop["architecture"]["64bit"]["extract_dir"] + "/" + scoop["bin"], names)
            locale = (built / WINGET / "Vorsel.Tamvick.locale.en-US.yaml").read_text()
            for field in (f"PublisherUrl: '{HOME}'", "Commands:\n- tamvick", "InstallationNotes: "):
                self.assertIn(field, installer + locale)
            # Scoop finds this release's zip by its name, and the next one's
            # address by this one's with its version put back
            self.assertEqual(re.search(scoop["checkver"]["regex"], ZIP)[1], VERSION)
            later = {key: value.replace("$version", VERSION) for key, value in
                     scoop["autoupdate"]["architecture"]["64bit"].items() if key != "hash"}
            self.assertEqual(later, {key: value for key, value in
                                     scoop["architecture"]["64bit"].items() if key != "hash"})
            # a plain http address: nothing at all
            configure("-DVORSEL_RELEASE_URL=http://x.example")
            self.assertIn("must be an https address", package().stdout)
            self.assertEqual((built / "Tamvick.exe").read_bytes(), first[0], "signed in place")
            for made in (ZIP, ZIP + ".sha256", "winget", "scoop"):
                self.assertFalse((built / made).exists(), made)
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
