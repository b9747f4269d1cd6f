"""The package managers' manifests for a release zip: winget's three files
and Scoop's one, written from the zip that was made, so that their hash is
always the released zip's.

    check_address(address, name)
    write(folder, version, top, url, homepage, sha256, epoch)

url is the https address of the folder the zip is downloaded from, homepage
the project's page; both must have passed check_address. The same arguments
always give the same bytes. Scoop's manifest updates itself (checkver finds
a newer zip's name on the homepage, autoupdate makes its manifest) when url
holds the version as one of its folders."""
import json
import os
import sys
import time

IDENTIFIER = "Vorsel.Tamvick"
SCHEMA = "1.12.0"  # what winget's community repository takes
DESCRIPTION = ("Asks the user of a command script for a file to save or open, or a folder, "
               "through the standard Windows dialogs, and writes the answer as one line "
               "the script can run.")
COMMAND = "tamvick"
# what each installer tells the user once the command is on PATH
WINGET_NOTES = ("Open a new console to use the command tamvick: a console that was open "
                "before keeps the PATH it had.")
SCOOP_NOTES = ["Under Scoop's shim, Tamvick never has a console of its own. A program that",
               "starts it without a console should start Tamvick.exe in the app's current",
               "folder itself, the folder that 'scoop prefix tamvick' names."]


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
            f"  PortableCommandAlias: {COMMAND}",
            "Commands:",
            f"- {COMMAND}",
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
            f"PublisherUrl: '{homepage}'",
            "PackageName: Tamvick",
            f"PackageUrl: '{homepage}'",
            "License: MIT",
            f"ShortDescription: {DESCRIPTION}",
            "Moniker: tamvick",
            "Tags:", "- batch", "- cmd", "- dialog", "- file-picker", "- folder-picker",
            f"InstallationNotes: '{WINGET_NOTES}'",
            *tail("defaultLocale")),
    }


def scoop(version, top, url, homepage, sha256):
    """The bytes of Scoop's manifest for the zip at url."""
    manifest = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": homepage,
        "license": "MIT",
        "architecture": {"64bit": {"url": url, "hash": sha256, "extract_dir": top}},
        "bin": "Tamvick.exe",
        "notes": SCOOP_NOTES,
        # the newest zip's name, as the homepage links it
        "checkver": {"url": homepage, "regex": top.replace(version, r"([\d.]+)") + r"\.zip"},
    }
    # A later release's address is this one's with its version in each
    # place of this one's; the .sha256 beside its zip holds its hash.
    folders = url.split("/")  # the scheme, "", the host, the folders, the zip's name
    if version in folders[3:-1]:
        later = top.replace(version, "$version")
        folders = [("$version" if f == version else f) for f in folders[:-1]] + [later + ".zip"]
        manifest["autoupdate"] = {"architecture": {"64bit": {
            "url": "/".join(folders), "hash": {"url": "$url.sha256"}, "extract_dir": later}}}
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
