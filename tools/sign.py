"""Signs a copy of Tamvick.exe with Authenticode, for the release zip.

    sign(exe, signed, pfx, epoch, timestamp)

The key and certificate come from the PKCS#12 file pfx, its password from
the environment variable VORSEL_SIGN_PASSWORD. The password reaches openssl
through the environment and osslsigncode through standard input, the same
bytes to both: it is never on a command line, nor in what this prints. The
signing time is epoch (the commit's), so the same commit and the same key give
the same signed bytes; with a time-stamp server, the signature then gets the
server's time stamp as well. Any failure ends the process with a message."""
import datetime
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

PASSWORD = "VORSEL_SIGN_PASSWORD"
LONGEST_PASSWORD = 4095  # what osslsigncode reads of a password file
TIMESTAMP_WAIT = 60  # seconds a time-stamp server has to answer
# one of OpenSSL's error-stack lines: "40C7...:error:0680...:routines:call:reason:file.c:67:"
STACK_LINE = re.compile(r"^[0-9A-F]+:error:[0-9A-F]+:")


def fail(why):
    sys.exit(f"Tamvick.exe was not signed: {why}")


def reason(run):
    """Why a tool failed, in its own words: the first line it wrote that is
    not one of OpenSSL's error-stack lines, or else the last of those."""
    lines = [line.strip() for output in (run.stderr, run.stdout)
             for line in output.decode(errors="replace").splitlines() if line.strip()]
    plain = [line for line in lines if not STACK_LINE.match(line)]
    if plain:
        return plain[0]
    return STACK_LINE.sub("", lines[-1]) if lines else f"exit value {run.returncode}"


def openssl(arguments, given=None):
    """What openssl prints, in text; None when it fails."""
    run = subprocess.run(["openssl", *arguments], input=given, capture_output=True)
    return run.stdout.decode(errors="replace") if run.returncode == 0 else None


def pfx_part(pfx, *options):
    """What openssl prints of pfx, in PEM form, read with the password. A file
    from an older Windows may need openssl's legacy algorithms."""
    for legacy in ([], ["-legacy"]):
        run = subprocess.run(["openssl", "pkcs12", "-in", pfx, "-passin", "env:" + PASSWORD,
                              *options, *legacy], capture_output=True)
        if run.returncode == 0:
            return run.stdout
    fail(f"{pfx} could not be read with the password in {PASSWORD} "
         f"(a wrong password, or no PKCS#12 file): {reason(run)}")


def signer_certificate(pfx):
    """The text of the certificate in pfx that osslsigncode signs with: the
    one for the private key, whatever order or tags the file gives them."""
    key = openssl(["pkey", "-pubout"], pfx_part(pfx, "-nocerts", "-nodes"))
    if not key:
        fail(f"{pfx} holds no private key")
    pems = re.findall(rb"-----BEGIN CERTIFICATE-----.*?-----END CERTIFICATE-----",
                      pfx_part(pfx, "-nokeys"), re.S)
    for pem in pems:
        if openssl(["x509", "-noout", "-pubkey"], pem) == key:
            return openssl(["x509", "-noout", "-text", "-dates"], pem)
    fail(f"{pfx} holds no certificate for its private key")


def check_certificate(pfx):
    """Refuses a certificate Windows would not take for signing programs:
    one without the code-signing purpose or the digital-signature use, one
    outside its validity period, and one without an RSA key of 2048 bits or
    more (Smart App Control takes only RSA, and no authority Windows trusts
    issues a shorter key)."""
    lines = [line.strip() for line in signer_certificate(pfx).splitlines()] + [""]

    def extension(name, none):
        at = next((i for i, line in enumerate(lines) if line.startswith(name + ":")), None)
        return lines[at + 1] if at is not None else none

    purposes = extension("X509v3 Extended Key Usage", "none")
    if "Code Signing" not in purposes.split(", "):
        fail(f"the certificate in {pfx} is not for code signing "
             f"(its extended key usage: {purposes})")
    uses = extension("X509v3 Key Usage", "Digital Signature")
    if "Digital Signature" not in uses.split(", "):
        fail(f"the certificate in {pfx} is not for digital signatures (its key usage: {uses})")
    dates = dict(line.split("=", 1) for line in lines
                 if line.startswith(("notBefore=", "notAfter=")))
    start, end = (datetime.datetime.strptime(dates[key], "%b %d %H:%M:%S %Y GMT")
                  for key in ("notBefore", "notAfter"))
    now = datetime.datetime.now(datetime.timezone.utc).replace(tzinfo=None)
    if not start <= now <= end:
        state = "has expired" if now > end else "is not valid yet"
        fail(f"the certificate in {pfx} {state}: it is valid from {start} to {end} UTC")
    if "Public Key Algorithm: rsaEncryption" not in lines:
        fail(f"the certificate in {pfx} has no RSA key; Smart App Control takes only RSA")
    bits = next(int(m[1]) for line in lines if (m := re.match(r"Public-Key: \((\d+) bit\)", line)))
    if bits < 2048:
        fail(f"the certificate in {pfx} has a {bits}-bit RSA key; "
             "certificate authorities issue no code-signing key shorter than 2048 bits")


def read_password(pfx):
    """The password's bytes, when osslsigncode can read them as they are."""
    password = os.environb.get(PASSWORD.encode())
    if password is None:
        fail(f"{PASSWORD} is not set; it holds the password of {pfx}")
    if password.endswith((b"\n", b"\r")):
        fail(f"the password in {PASSWORD} ends in a line break, which osslsigncode would drop")
    if len(password) > LONGEST_PASSWORD:
        fail(f"the password in {PASSWORD} is longer than the {LONGEST_PASSWORD} bytes "
             "osslsigncode reads")
    return password


def osslsigncode(arguments, password=None, wait=None):
    """Runs osslsigncode, giving it password on its standard input when there
    is one (it can read no empty one, and needs none then)."""
    options = ["-readpass", "/dev/stdin"] if password else []
    return subprocess.run(["osslsigncode", *arguments, *options], input=password or b"",
                          capture_output=True, timeout=wait)


def sign(exe, signed, pfx, epoch, timestamp):
    if not os.path.isfile(pfx):
        fail(f"there is no file {pfx} (VORSEL_SIGN_PKCS12)")
    password = read_password(pfx)
    check_certificate(pfx)
    run = osslsigncode(["sign", "-pkcs12", pfx, "-h", "sha256", "-n", "Tamvick", "-time",
                        str(epoch), "-in", exe, "-out", signed], password)
    if run.returncode != 0:
        fail(f"osslsigncode: {reason(run)}")
    if timestamp:
        stamped = signed + ".stamped"
        failed = f"the time stamp from {timestamp} failed"
        try:
            run = osslsigncode(["add", "-ts", timestamp, "-in", signed, "-out", stamped],
                               wait=TIMESTAMP_WAIT)
        except subprocess.TimeoutExpired:
            fail(f"{failed}: no answer within {TIMESTAMP_WAIT} seconds")
        if run.returncode != 0:
            fail(f"{failed}: {reason(run)}")
        os.replace(stamped, signed)
    # The signed copy, less its signature, must be the exe that was built.
    with tempfile.TemporaryDirectory(dir=os.path.dirname(signed)) as work:
        bare = os.path.join(work, "unsigned.exe")
        run = osslsigncode(["remove-signature", "-in", signed, "-out", bare])
        if run.returncode != 0 or Path(bare).read_bytes() != Path(exe).read_bytes():
            fail("the signed copy, less its signature, is not the exe that was built")
