"""The package managers' manifests for a release zip: winget's three files
and Scoop's one, written from the zip that was made, so that their hash is
always the released zip's.

    check_address(address, name)
    write(folder, version, top, url, homepage, sha256, epoch)

url is the https address of the folder the zip is downloaded from, homepage
the project's page; both must have passed check_address. The same arguments
always give the same bytes."""
import json
import os
import sys
import time

IDENTIFIER = "Vorsel.Tamvick"
SCHEMA = "1.12.0"  # what winget's community repository takes
DESCRIPTION = ("Asks the user of a command script for a file to save or open, or a folder, "
               "through the standard Windows dialogs, and writes the answer as one line "
               "the script can run.")


def check_address(address, name):
    """Ends the process with a message unless address is an https address
    with a host and without a blank, a quote or a control character, any of
    which would break the manifests or the command lines that use them."""
    scheme, _, rest = address.partition("://")
    unsafe = [c for c in address if c in " \"'" or ord(c) < 0x20 or ord(c) == 0x7F]
    if scheme.lower() != "https" or not rest or rest.startswith("/") or unsafe:
        sys.exit(f"The release was not made: {name} must be an https address with no blank, "
                 f"quote or control character, not {address!r}")


def lines(*rows):
    return ("\n".join(rows) + "\n").encode()


def winget(version, top, url, homepage, sha256, date):
    """{file name: bytes} of winget's version, installer and defaultLocale files."""
    head = [f"PackageIdentifier: {IDENTIFIER}", f"PackageVersion: '{version}'"]

    def schema(kind):
        return f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{SCHEMA}" \
               ".schema.json"

    def tail(kind):
        return [f"ManifestType: {kind}", f"ManifestVersion: {SCHEMA}"]

    return {
        f"{IDENTIFIER}.yaml": lines(schema("version"), "", *head, "DefaultLocale: en-US",
                                    *tail("version")),
        f"{IDENTIFIER}.installer.yaml": lines(
            schema("installer"), "", *head,
            "InstallerType: zip",
            "NestedInstallerType: portable",
            "NestedInstallerFiles:",
            f"- RelativeFilePath: {top}\\Tamvick.exe",
            "  PortableCommandAlias: tamvick",
            f"ReleaseDate: {date}",
            "Installers:",
            "- Architecture: x64",
            f"  InstallerUrl: '{url}'",
            f"  InstallerSha256: {sha256.upper()}",
            *tail("installer")),
        f"{IDENTIFIER}.locale.en-US.yaml": lines(
            schema("defaultLocale"), "", *head,
            "PackageLocale: en-US",
            "Publisher: Vorsel",
            "PackageName: Tamvick",
            f"PackageUrl: '{homepage}'",
            "License: MIT",
            f"ShortDescription: {DESCRIPTION}",
            "Moniker: tamvick",
            "Tags:", "- batch", "- cmd", "- dialog", "- file-picker", "- folder-picker",
            *tail("defaultLocale")),
    }


def scoop(version, top, url, homepage, sha256):
    """The bytes of Scoop's manifest."""
    manifest = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": homepage,
        "license": "MIT",
        "architecture": {"64bit": {"url": url, "hash": sha256, "extract_dir": top}},
        "bin": "Tamvick.exe",
    }
    return (json.dumps(manifest, indent=4) + "\n").encode()


def write(folder, version, top, url, homepage, sha256, epoch):
    """Writes winget's files in folder/winget/manifests/v/Vorsel/Tamvick/VERSION/
    and Scoop's in folder/scoop/tamvick.json."""
    address = f"{url.rstrip('/')}/{top}.zip"
    date = time.strftime("%Y-%m-%d", time.gmtime(epoch))
    files = {os.path.join("winget", "manifests", "v", "Vorsel", "Tamvick", version, name): data
             for name, data in winget(version, top, address, homepage, sha256, date).items()}
    files[os.path.join("scoop", "tamvick.json")] = scoop(version, top, address, homepage, sha256)
    for name, data in files.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
