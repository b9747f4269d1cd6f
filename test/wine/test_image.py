"""The built Tamvick.exe as a user's Windows sees it: a 64-bit console
program that needs no DLL beyond the system's, with its manifest, icon and
version resources."""
import os
import re
import subprocess
import unittest
import xml.etree.ElementTree as ET

EXE = os.environ["VORSEL_EXE"]
SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL"}
PLATFORM_CALLS = {"GetCommandLineA", "GetFullPathNameA", "GetConsoleTitleA", "FindWindowA",
                  "CharLowerA", "GetStdHandle", "WriteConsoleA", "WriteFile", "ExitProcess"}
# COMDLG32 is delay-loaded for GetSaveFileNameA; the toolchain's helper loads it
DELAY_LOADER_CALLS = {"LoadLibraryA", "GetProcAddress", "FreeLibrary", "GetLastError",
                      "LocalAlloc", "LocalFree", "RaiseException"}
ASM = "{urn:schemas-microsoft-com:asm.v1}"


def tool_output(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def manifest_and_resources():
    """The resources as rc text, and the manifest they hold, parsed."""
    rc = tool_output("x86_64-w64-mingw32-windres", "-i", EXE, "-O", "rc")
    block = rc[rc.index("/* RT_MANIFEST */"):]
    block = block[block.index("BEGIN") + 5:block.index("\nEND")]
    pieces = re.findall(r'^\s*"(.*)"\s*$', block, re.M)
    text = "".join(p.replace('""', '"').replace("\\n", "\n") for p in pieces)
    return rc, ET.fromstring(text)


class Image(unittest.TestCase):
    def test_console_program_for_x64_with_system_imports_only(self):
        dump = tool_output("x86_64-w64-mingw32-objdump", "-p", EXE)
        self.assertIn("file format pei-x86-64", dump)
        self.assertRegex(dump, r"Magic\s+020b\s+\(PE32\+\)")
        self.assertRegex(dump, r"Subsystem\s+00000003\s+\(Windows CUI\)")
        dlls = {name.upper() for name in re.findall(r"DLL Name: (\S+)", dump)}
        self.assertEqual(dlls, SYSTEM_DLLS)
        calls = set(re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$", dump, re.M))
        self.assertEqual(calls, PLATFORM_CALLS | DELAY_LOADER_CALLS)
        with open(EXE, "rb") as image:
            body = image.read()
        self.assertIn(b"comdlg32.dll\0", body)
        self.assertIn(b"GetSaveFileNameA\0", body)

    def test_manifest(self):
        _, manifest = manifest_and_resources()
        controls = [a.attrib for a in manifest.iter(ASM + "assemblyIdentity")
                    if a.get("name") == "Microsoft.Windows.Common-Controls"]
        self.assertEqual(controls, [{
            "type": "win32", "name": "Microsoft.Windows.Common-Controls",
            "version": "6.0.0.0", "processorArchitecture": "amd64",
            "publicKeyToken": "6595b64144ccf1df", "language": "*"}])
        level = next(manifest.iter("{urn:schemas-microsoft-com:asm.v3}requestedExecutionLevel"))
        self.assertEqual(level.get("level"), "asInvoker")
        systems = {s.get("Id") for s in
                   manifest.iter("{urn:schemas-microsoft-com:compatibility.v1}supportedOS")}
        self.assertEqual(len(systems), 4)  # Windows 7, 8, 8.1, and 10 with 11
        awareness = next(manifest.iter(
            "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}dpiAwareness"))
        self.assertTrue(awareness.text.startswith("PerMonitorV2"))

    def test_icon_and_version(self):
        rc, _ = manifest_and_resources()
        # one image of 32 x 32 pixels in 16 colours, 1 plane, 4 bits a pixel
        self.assertEqual(re.findall(r'"(\\\d+\\\d+\\\d+\\\d+)", 1, (\d+)', rc),
                         [(r"\040\040\020\000", "4")])
        self.assertRegex(rc, r"FILEVERSION 1, 5, 0, 0")
        for key, value in [("ProductName", "Vorsel"), ("FileVersion", "1.5"),
                           ("OriginalFilename", "Tamvick.exe")]:
            self.assertIn(f'VALUE "{key}", "{value}"', rc)


if __name__ == "__main__":
    unittest.main(verbosity=2)
