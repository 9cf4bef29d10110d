"""Drives Windows programs under this machine's Wine for end-to-end tests.

Windows-side facts (window handles, rectangles, styles) come from winpoke.exe, a tiny Win32
tool run in the same wineserver; real input goes through the X server with xdotool.
"""
import os
import subprocess
import tempfile
import time
from dataclasses import dataclass

WINE = os.environ.get("WINE", "wine")


@dataclass
class Window:
    hwnd: int
    pid: int
    tid: int
    x: int
    y: int
    width: int
    height: int
    style: int
    exstyle: int
    xid: int
    caption: str


class WinPoke:
    def __init__(self, exe):
        self.exe = exe

    def _run(self, *args):
        # Output goes through a file, not a pipe: a Wine service that the call happens to start
        # inherits the tool's handles and would hold a pipe open long after the tool has ended.
        with tempfile.TemporaryFile(mode="w+", encoding="utf-8") as out:
            done = subprocess.run([WINE, self.exe, *map(str, args)], stdout=out,
                                  stderr=subprocess.DEVNULL, timeout=60)
            out.seek(0)
            return done.returncode, out.read()

    def windows(self):
        _, out = self._run("list")
        result = []
        for line in out.splitlines():
            parts = line.split(" ", 10)
            if len(parts) < 10:
                continue
            nums = [int(p, 0) for p in parts[:10]]
            result.append(Window(*nums, parts[10] if len(parts) > 10 else ""))
        return result

    def close(self, hwnd):
        return self._run("close", hwnd)[0] == 0

    def quit(self, tid, code):
        return self._run("quit", tid, code)[0] == 0


def wait_for(predicate, timeout=20.0, interval=0.2):
    """Polls predicate until it returns something truthy; returns that value or None."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(interval)


class Program:
    """A Windows program started under Wine; its exit code is the program's own."""

    def __init__(self, exe, *args):
        self.process = subprocess.Popen([WINE, exe, *args], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def wait(self, timeout=20):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def running(self):
        return self.process.poll() is None

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30)


def new_windows(poke, before, predicate=lambda w: True):
    known = {w.hwnd for w in before}
    return [w for w in poke.windows() if w.hwnd not in known and predicate(w)]
