#!/usr/bin/env python3
"""Makes docs/dialog.png: the Save dialog as Tamvick shows it, under Wine in
a virtual desktop (which draws window frames) on a display of its own.

    python3 tools/picture.py       after cmake --build --preset windows
"""
import os
import subprocess
import sys

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(TOP, "build", "windows")
os.environ.update(VORSEL_EXE=os.path.join(BUILD, "Tamvick.exe"),
                  VORSEL_LAUNCH=os.path.join(BUILD, "launch.exe"),
                  VORSEL_BUILD=BUILD, VORSEL_SOURCE=TOP)
sys.path.insert(0, os.path.join(TOP, "test", "wine"))

from dialog import DRIVER, DialogBench, parse  # noqa: E402

LINE = (b'Tamvick "copy data.txt" "T:\\Backup\\*.txt;*.log" "Save copy as" data.txt '
        b"/overwritePrompt")


def main():
    out = os.path.join(TOP, "docs", "dialog.png")
    bench = DialogBench("wine-picture")
    try:
        for name in ("data.txt", "notes.txt", "build.log"):
            open(bench.path("Backup", name), "w").close()
        wine = bench.wine
        # every window of this prefix on one virtual desktop, in Wine's frames
        for key, name, value in [("Explorer", "Desktop", "Default"),
                                 ("Explorer\\Desktops", "Default", "560x330")]:
            subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\" + key, "/v", name,
                            "/d", value, "/f"], env=wine.env, stdin=subprocess.DEVNULL,
                           capture_output=True, check=True)
        wine.stop()
        tool = subprocess.Popen(wine.launch_command(LINE),
                                env=wine.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                cwd=bench.folder)
        peek = subprocess.run(["wine", DRIVER, "Save copy as", "peek"], env=wine.env,
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=120,
                              check=True)
        left, top, right, bottom = map(int, parse(peek.stdout)["rect"].split())
        shot = os.path.join(wine.work, "screen.png")
        bench.xvfb.screenshot(shot)
        subprocess.run(["wine", DRIVER, "Save copy as", "cancel"], env=wine.env,
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
        tool.wait(timeout=120)
        subprocess.run(["convert", shot, "-crop",
                        f"{right - left}x{bottom - top}+{left}+{top}", "+repage", out], check=True)
    finally:
        bench.stop()
    print(out)


if __name__ == "__main__":
    main()
