"""Signs a copy of Tamvick.exe with Authenticode, for the release zip.

    sign(exe, signed, pfx, epoch, timestamp)

The key and certificate come from the PKCS#12 file pfx, its password from
the environment variable VORSEL_SIGN_PASSWORD. The password reaches openssl
through the environment and osslsigncode through standard input: it is never
on a command line, nor in what this prints. Without a time-stamp server the
signing time is epoch (the commit's), so the same commit and the same key give
the same signed bytes. Any failure ends the process with a message."""
import os
import subprocess
import sys
import tempfile
from pathlib import Path

PASSWORD = "VORSEL_SIGN_PASSWORD"


def fail(why):
    sys.exit(f"Tamvick.exe was not signed: {why}")


def last_line(run):
    """The last line a failed tool wrote, to say why it failed."""
    lines = (run.stdout + run.stderr).decode(errors="replace").strip().splitlines()
    return lines[-1] if lines else f"exit value {run.returncode}"


def certificate_text(pfx):
    """The signer's certificate in pfx as openssl prints it. A file from an
    older Windows may need openssl's legacy algorithms."""
    for legacy in ([], ["-legacy"]):
        run = subprocess.run(["openssl", "pkcs12", "-in", pfx, "-passin", "env:" + PASSWORD,
                              "-nokeys", "-clcerts", *legacy], capture_output=True)
        if run.returncode == 0:
            break
    else:
        fail(f"{pfx} could not be read with the password in {PASSWORD} "
             f"(a wrong password, or no PKCS#12 file): {last_line(run)}")
    run = subprocess.run(["openssl", "x509", "-noout", "-text"], input=run.stdout,
                         capture_output=True)
    return run.stdout.decode(errors="replace")


def check_certificate(pfx):
    """Refuses a certificate Windows would not take for signing programs:
    one without the code-signing purpose, and one whose key is not RSA,
    which Smart App Control does not accept."""
    lines = [line.strip() for line in certificate_text(pfx).splitlines()] + [""]
    at = next((i for i, line in enumerate(lines) if line.startswith("X509v3 Extended Key Usage:")),
              None)
    purposes = lines[at + 1] if at is not None else "none"
    if "Code Signing" not in purposes.split(", "):
        fail(f"the certificate in {pfx} is not for code signing "
             f"(its extended key usage: {purposes})")
    if "Public Key Algorithm: rsaEncryption" not in lines:
        fail(f"the certificate in {pfx} has no RSA key; Smart App Control takes only RSA")


def sign(exe, signed, pfx, epoch, timestamp):
    if not os.path.isfile(pfx):
        fail(f"there is no file {pfx} (VORSEL_SIGN_PKCS12)")
    password = os.environ.get(PASSWORD)
    if password is None:
        fail(f"{PASSWORD} is not set; it holds the password of {pfx}")
    check_certificate(pfx)
    when = ["-ts", timestamp] if timestamp else ["-time", str(epoch)]
    run = subprocess.run(["osslsigncode", "sign", "-pkcs12", pfx, "-readpass", "/dev/stdin",
                          "-h", "sha256", "-n", "Tamvick", *when, "-in", exe, "-out", signed],
                         input=password.encode(), capture_output=True)
    if run.returncode != 0:
        fail(f"osslsigncode: {last_line(run)}")
    # The signed copy, less its signature, must be the exe that was built.
    with tempfile.TemporaryDirectory(dir=os.path.dirname(signed)) as work:
        bare = os.path.join(work, "unsigned.exe")
        run = subprocess.run(["osslsigncode", "remove-signature", "-in", signed, "-out", bare],
                             capture_output=True)
        if run.returncode != 0 or Path(bare).read_bytes() != Path(exe).read_bytes():
            fail("the signed copy, less its signature, is not the exe that was built")
