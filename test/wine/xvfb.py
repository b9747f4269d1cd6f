"""A virtual X display of the tests' own, stopped by its process id."""
import os
import subprocess


class Xvfb:
    def __init__(self, size="1280x1024x24"):
        reader, writer = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writer), "-screen", "0", size, "-nolisten", "tcp"],
            pass_fds=(writer,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(writer)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(reader, 1)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(reader)
        self.display = ":" + number.decode().strip()

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       check=True, stdin=subprocess.DEVNULL, capture_output=True)

    def stop(self):
        self.process.kill()
        self.process.wait()
