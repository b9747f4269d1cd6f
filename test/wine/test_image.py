"""The built Tamvick.exe as a user's Windows sees it, read from the file's
bytes: a 64-bit console program that needs no DLL beyond the system's, with
ASLR (and the relocations it needs) and DEP, no section both writable and
executable, and its manifest, icon and version resources."""
import os
import struct
import unittest
import xml.etree.ElementTree as ET

from pe import Image
from wine import VERSION

EXE = os.environ["VORSEL_EXE"]
IMPORTS = {
    "KERNEL32.dll": {"GetCommandLineW", "GetFullPathNameW", "GetConsoleWindow",
                     "GetConsoleOutputCP", "GetConsoleProcessList", "GetConsoleMode", "GetACP",
                     "GetStdHandle", "WriteConsoleA", "WriteConsoleW", "WriteFile", "ExitProcess",
                     "SetConsoleCtrlHandler", "GetCurrentProcessId", "ProcessIdToSessionId",
                     "MultiByteToWideChar", "WideCharToMultiByte",
                     "GetSystemDirectoryW", "GetModuleHandleA", "SetDllDirectoryW",
                     "LoadLibraryExW", "GetProcAddress", "GetStartupInfoW",
                     "GetSystemTimeAsFileTime", "QueryPerformanceCounter", "GetCurrentThreadId",
                     "GetTickCount64", "GetCurrentProcess", "TerminateProcess"},
    "USER32.dll": {"GetAncestor", "IsWindowVisible", "IsIconic", "EnableWindow",
                   "GetProcessWindowStation", "GetUserObjectInformationW", "CreateWindowExW",
                   "ShowWindow", "DestroyWindow", "SendMessageW", "SetWindowTextW", "SetTimer",
                   "KillTimer", "EnumThreadWindows", "GetClassNameW", "IsWindowEnabled",
                   "GetDlgItem", "PostMessageW"},
}
RT_ICON_GROUP, RT_VERSION, RT_MANIFEST = 14, 16, 24
WRITE, EXECUTE = 0x80000000, 0x20000000
ASM = "{urn:schemas-microsoft-com:asm.v1}"


def resource(image, kind):
    return next(data for key, data in image.resources().items() if key[0] == kind)


class ImageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(EXE, "rb") as exe:
            cls.image = Image(exe.read())

    def test_console_program_for_x64_with_system_imports_only(self):
        image = self.image
        self.assertEqual((image.machine, image.magic, image.subsystem), (0x8664, 0x20B, 3))
        # relocatable, with relocations to apply: ASLR moves only such an
        # image; with high entropy, and DEP
        self.assertEqual(image.characteristics & 0x1, 0)
        rva, size = image.directories[5]
        self.assertGreater(size, 8)
        self.assertGreater(struct.unpack_from("<I", image.data, image.at(rva) + 4)[0], 8)
        # and aware of Remote Desktop servers, which would treat it as an old program
        self.assertEqual(image.dll_characteristics & 0x8160, 0x8160)
        for name, *_, flags in image.sections:
            self.assertNotEqual(flags & (WRITE | EXECUTE), WRITE | EXECUTE, name)
        self.assertEqual({dll: set(calls) for dll, calls in image.imports().items()}, IMPORTS)
        # The dialog's library is loaded by the tool itself, not by the
        # loader, after the DLL search is restricted to the system folder.
        # No planted DLL can show that here: Wine loads its own built-in
        # DLLs, and told to prefer a native version.dll, it loads the one
        # beside the exe while the process starts, before any of the tool's
        # code runs. The stand-in's tests check the order of the calls.
        self.assertEqual(image.imports(13), {})
        # and so are the procedures a Windows 7 without its update lacks
        for name in (b"comdlg32.dll", b"GetSaveFileNameW", b"CommDlgExtendedError",
                     b"SetDefaultDllDirectories"):
            self.assertIn(name + b"\0", image.data)

    def test_manifest(self):
        manifest = ET.fromstring(resource(self.image, RT_MANIFEST))
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
        # one image of 32 x 32 pixels in 16 colours, 1 plane, 4 bits a pixel
        group = resource(self.image, RT_ICON_GROUP)
        self.assertEqual(struct.unpack_from("<HHH", group), (0, 1, 1))
        self.assertEqual(struct.unpack_from("<BBBBHH", group, 6), (32, 32, 16, 0, 1, 4))
        version = resource(self.image, RT_VERSION)
        fixed = version.index(struct.pack("<I", 0xFEEF04BD))
        numbers = [int(n) for n in (VERSION + ".0.0.0").split(".")[:4]]
        self.assertEqual(struct.unpack_from("<HHHH", version, fixed + 8),
                         (numbers[1], numbers[0], numbers[3], numbers[2]))
        words = [w for w in version.decode("utf-16-le", "replace").split("\0") if w]
        for key, value in [("ProductName", "Vorsel"), ("FileVersion", VERSION),
                           ("ProductVersion", VERSION), ("OriginalFilename", "Tamvick.exe")]:
            at = next(i for i, w in enumerate(words) if w.endswith(key))
            self.assertEqual(words[at + 1], value, key)
        self.assertIn(f"Vorsel {VERSION}/x64\r\n".encode(), self.image.data)


if __name__ == "__main__":
    unittest.main(verbosity=2)
