#!/usr/bin/env python3
"""Measures Tamvick.exe under Wine against floors measured in the same run
and prints a Markdown table. Each figure is the median of paired runs
(tool, then floor), timed inside Wine by bench/clock.c.

    python3 bench/run.py [PAIRS]     after cmake --build --preset windows
"""
import os
import statistics
import subprocess
import sys

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, "test", "wine"))

from wine import BUILD  # noqa: E402
from dialog import DialogBench  # noqa: E402
from pe import Image  # noqa: E402

LONGEST = 32767


def pairs(bench, mode, a, line_a, b, line_b, count, title=None):
    """Median times (ms) of a and b and the median of their ratios."""
    w = bench.wine.windows_path
    command = ["wine", os.path.join(BUILD, "clock.exe"), mode, str(count)]
    if title is not None:
        command.append(title)
    command += [w(a), w(bench.wine.line_file(line_a)), w(b), w(bench.wine.line_file(line_b))]
    done = subprocess.run(command, env=bench.wine.env, stdin=subprocess.DEVNULL,
                          capture_output=True, timeout=1800, cwd=bench.folder)
    if done.returncode != 0:
        sys.exit(f"bench: {' '.join(command)}: {done.stderr.decode(errors='replace')}")
    times = [tuple(float(x) for x in line.split()) for line in done.stdout.decode().splitlines()
             if line.strip()]
    times = times[1:]  # the first pair warms the file cache
    return (statistics.median(t[0] for t in times) / 1000,
            statistics.median(t[1] for t in times) / 1000,
            statistics.median(t[0] / t[1] for t in times))


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 21
    exe = os.path.join(BUILD, "Tamvick.exe")
    floor = os.path.join(BUILD, "floor.exe")
    dialog_floor = os.path.join(BUILD, "dialogfloor.exe")
    worst = b"prog" + b" a" * ((LONGEST - 10) // 2) + b" /bad"
    bench = DialogBench("wine-bench")
    try:
        rows = [
            ("help path (`Tamvick`)", "floor program", 1.10,
             pairs(bench, "run", exe, b"prog", floor, b"prog", count)),
            ("refusal path (`Tamvick c p t /x`)", "floor program", 1.10,
             pairs(bench, "run", exe, b"prog c p t /x", floor, b"prog", count)),
            ("dialog path: until the dialog is visible", "program showing the same dialog",
             1.05, pairs(bench, "dialog", exe, b"prog c *.txt Bench", dialog_floor, b"prog",
                         count, title="Bench")),
            ("open path (`/open`): until the dialog is visible",
             "program showing the same dialog", 1.05,
             pairs(bench, "dialog", exe, b"prog c *.txt Bench /open", dialog_floor, b"open",
                   count, title="Bench")),
            # Wine's own cost of starting a process grows with its command
            # line, so the floor is given the same line
            (f"worst line: {len(worst)} characters, refused at the end",
             "floor program, same line", 1.10,
             pairs(bench, "run", exe, worst, floor, worst, count)),
        ]
    finally:
        bench.stop()
    print("| measured | against | tool ms | floor ms | ratio | goal |")
    print("|---|---|---|---|---|---|")
    for name, against, goal, (tool, base, ratio) in rows:
        print(f"| {name} | {against} | {tool:.1f} | {base:.1f} | {ratio:.2f}x | "
              f"{goal:.2f}x |")
    with open(exe, "rb") as image:
        dlls = ", ".join(Image(image.read()).imports())
    print(f"\nTamvick.exe: {os.path.getsize(exe)} bytes; imports {dlls}; "
          "OLE32, and COMDLG32 or, for /folder, SHELL32, loaded from the system folder on the "
          "dialog path")


if __name__ == "__main__":
    main()
