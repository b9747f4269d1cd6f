#!/usr/bin/env python3
"""Writes the release zip: one top folder holding the exe, its SHA256SUMS
and the given files, in a fixed order, with fixed times and modes, so that
the same commit always gives the same bytes.

    package.py ZIP TOP EPOCH EXE SOURCE FILE...

TOP is the top folder's name, EPOCH the time (seconds since 1970, UTC)
every entry bears, FILE a path under SOURCE that keeps its place in TOP."""
import hashlib
import os
import sys
import time
import zipfile


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
    out, top, epoch, exe, source, *files = sys.argv[1:]
    epoch = int(epoch)
    with open(exe, "rb") as image:
        exe_bytes = image.read()
    sums = f"{hashlib.sha256(exe_bytes).hexdigest()}  Tamvick.exe\n".encode()
    contents = [("Tamvick.exe", exe_bytes), ("SHA256SUMS", sums)]
    for name in files:
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
