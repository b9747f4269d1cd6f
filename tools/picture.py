#!/usr/bin/env python3
"""Makes docs/dialog.png: the Save dialog as Tamvick shows it, under Wine in
a virtual desktop (which draws window frames) on a display of its own.

    python3 tools/picture.py       after cmake --build --preset windows
"""
import os
import subprocess
import sys

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, "test", "wine"))

from dialog import DialogBench, drive  # noqa: E402

LINE = (b'Tamvick "copy data.txt" '
        b'"T:\\Backup\\Text and log files (*.txt;*.log)|*.txt;*.log|All files (*.*)|*.*" '
        b'"Save copy as" data.txt /overwritePrompt')


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
        wine.stop_server()
        tool = subprocess.Popen(wine.launch_command(LINE),
                                env=wine.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                cwd=bench.folder)
        left, top, right, bottom = map(int, drive(wine.env, "Save copy as", "peek")["rect"].split())
        shot = os.path.join(wine.work, "screen.png")
        bench.xvfb.screenshot(shot)
        drive(wine.env, "Save copy as", "cancel")
        tool.wait(timeout=120)
        subprocess.run(["convert", shot, "-crop",
                        f"{right - left}x{bottom - top}+{left}+{top}", "+repage", out], check=True)
    finally:
        bench.stop()
    print(out)


if __name__ == "__main__":
    main()
