#!/usr/bin/env python3
"""Writes the release: the zip, with one top folder holding the exe, its
SHA256SUMS and the given files, in a fixed order, with fixed times and modes,
so that the same commit always gives the same bytes; ZIP.sha256 beside it, in
the form sha256sum -c reads; and, given the address it will be downloaded
from, winget's and Scoop's manifests for it (see manifests.py).

    package.py [--sign-pkcs12=HEX] [--sign-timestamp=HEX] [--release-url=HEX]
               [--homepage=HEX] VERSION ZIP TOP EPOCH EXE SOURCE FILE...

Each option's value is the hexadecimal form of its text's bytes, so that no
character in it can change the command line it stands on; empty is unset.
TOP is the top folder's name, EPOCH the time (seconds since 1970, UTC) every
entry bears, FILE a path under SOURCE that keeps its place in TOP. With
--sign-pkcs12, the zip holds a signed copy of EXE (see sign.py); EXE itself
stays as it was built. Whatever this run cannot make, no zip or manifest from
an earlier run stands in its place."""
import argparse
import hashlib
import os
import shutil
import sys
import tempfile
import time
import zipfile

import manifests
from sign import sign


def decoded(hexadecimal):
    return os.fsdecode(bytes.fromhex(hexadecimal))


def entry(name, epoch, directory=False):
    info = zipfile.ZipInfo(name, time.gmtime(max(epoch, 315532800))[:6])
    info.create_system = 3  # modes in the Unix form
    if directory:
        info.external_attr = (0o40755 << 16) | 0x10
    else:
        info.external_attr = 0o100644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main():
    command = argparse.ArgumentParser()
    for option in ("--sign-pkcs12", "--sign-timestamp", "--release-url", "--homepage"):
        command.add_argument(option, type=decoded, default="")
    for name in ("version", "out", "top", "epoch", "exe", "source"):
        command.add_argument(name)
    command.add_argument("files", nargs="*")
    given = command.parse_args()
    out, top, epoch, exe, source = (given.out, given.top, int(given.epoch), given.exe,
                                    given.source)
    built = os.path.dirname(out)
    for stale in (out, out + ".part", out + ".sha256"):
        if os.path.exists(stale):
            os.remove(stale)
    for stale in ("winget", "scoop"):
        shutil.rmtree(os.path.join(built, stale), ignore_errors=True)
    homepage = given.homepage
    if given.release_url:
        manifests.check_address(given.release_url, "VORSEL_RELEASE_URL")
        # winget's and Scoop's reviewers check the project's page: the
        # folder the zip lies in is none
        if not homepage:
            sys.exit("The release was not made: VORSEL_RELEASE_URL needs VORSEL_HOMEPAGE, the "
                     "project's page, for winget's and Scoop's manifests")
        manifests.check_address(homepage, "VORSEL_HOMEPAGE")
    with tempfile.TemporaryDirectory(dir=built) as work:
        if given.sign_pkcs12:
            exe = os.path.join(work, "Tamvick.exe")
            # a relative path is taken from the source folder, where presets run
            pfx = os.path.join(source, given.sign_pkcs12)
            sign(given.exe, exe, pfx, epoch, given.sign_timestamp)
        with open(exe, "rb") as image:
            exe_bytes = image.read()
    sums = f"{hashlib.sha256(exe_bytes).hexdigest()}  Tamvick.exe\n".encode()
    contents = [("Tamvick.exe", exe_bytes), ("SHA256SUMS", sums)]
    for name in given.files:
        with open(os.path.join(source, name), "rb") as f:
            contents.append((name, f.read()))
    folders = sorted({os.path.dirname(name) for name, _ in contents} - {""})
    partial = out + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        archive.writestr(entry(top + "/", epoch, directory=True), b"")
        for folder in folders:
            archive.writestr(entry(f"{top}/{folder}/", epoch, directory=True), b"")
        for name, data in contents:
            archive.writestr(entry(f"{top}/{name}", epoch), data, compresslevel=9)
    with open(partial, "rb") as made:
        digest = hashlib.sha256(made.read()).hexdigest()
    if given.release_url:
        manifests.write(built, given.version, top, given.release_url, homepage, digest, epoch)
    with open(out + ".sha256", "w", encoding="ascii") as check:
        check.write(f"{digest}  {os.path.basename(out)}\n")
    os.replace(partial, out)


if __name__ == "__main__":
    main()
