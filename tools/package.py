#!/usr/bin/env python3
"""Writes the release zip: one top folder holding the exe, its SHA256SUMS
and the given files, in a fixed order, with fixed times and modes, so that
the same commit always gives the same bytes.

    package.py [--sign PFX [--timestamp URL]] ZIP TOP EPOCH EXE SOURCE FILE...

TOP is the top folder's name, EPOCH the time (seconds since 1970, UTC)
every entry bears, FILE a path under SOURCE that keeps its place in TOP.
With --sign, the zip holds a signed copy of EXE (see sign.py), and no zip is
made when it cannot be signed; EXE itself stays as it was built."""
import argparse
import hashlib
import os
import tempfile
import time
import zipfile

from sign import sign


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
    command.add_argument("--sign")
    command.add_argument("--timestamp")
    for name in ("out", "top", "epoch", "exe", "source"):
        command.add_argument(name)
    command.add_argument("files", nargs="*")
    given = command.parse_args()
    out, top, epoch, exe, source = (given.out, given.top, int(given.epoch), given.exe,
                                    given.source)
    # An earlier zip never stands in for one this run could not make.
    for stale in (out, out + ".part"):
        if os.path.exists(stale):
            os.remove(stale)
    with tempfile.TemporaryDirectory(dir=os.path.dirname(out)) as work:
        if given.sign:
            exe = os.path.join(work, "Tamvick.exe")
            sign(given.exe, exe, given.sign, epoch, given.timestamp)
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
    os.replace(partial, out)


if __name__ == "__main__":
    main()
