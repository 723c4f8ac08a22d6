"""The processes one desktop started, and nothing else: each is ended by its own process id."""

import os
import signal
import subprocess
import time
from pathlib import Path


class Processes:
    def __init__(self) -> None:
        self._started: list[tuple[str, subprocess.Popen]] = []

    def start(self, name: str, argv: list[str], **popen_args) -> subprocess.Popen:
        process = subprocess.Popen(argv, **popen_args)
        self._started.append((name, process))
        return process

    def end(self, process: subprocess.Popen, grace: float = 2.0) -> None:
        """Terminate, then kill if it is still there after `grace` seconds; always reaps."""
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(grace)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(5)

    def end_all(self, keep: tuple[str, ...] = ()) -> None:
        """Ends everything still running except those named in `keep`, newest first (clients
        before the servers they use)."""
        kept = []
        while self._started:
            name, process = self._started.pop()
            if name in keep:
                kept.insert(0, (name, process))
            else:
                self.end(process)
        self._started = kept


def pids_with_environment(entry: str) -> list[int]:
    """Process ids whose environment holds `entry` (e.g. "WINEPREFIX=/path"). Only this desktop's
    processes carry its private prefix path, so this finds Wine's helpers that it started
    indirectly (wineserver, explorer, services) and never anyone else's."""
    needle = entry.encode() + b"\0"
    found = []
    for proc in Path("/proc").iterdir():
        if not proc.name.isdigit() or int(proc.name) == os.getpid():
            continue
        try:
            environment = (proc / "environ").read_bytes()
        except OSError:
            continue
        if needle in environment or environment.endswith(entry.encode()):
            found.append(int(proc.name))
    return found


def wait_until(predicate, timeout: float, interval: float = 0.01, what: str = "condition"):
    """Polls `predicate` until it returns something truthy and returns that; raises TimeoutError
    naming `what` after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)
