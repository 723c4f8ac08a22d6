"""A private copy of the template Wine prefix, its keeper process, and programs run in it."""

import contextlib
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

from harness import paths
from harness.processes import Processes, pids_with_environment

# Quiet, and no installer dialogs for .NET or a web engine. CAPTURE_WINEDEBUG names Wine's trace
# channels for a run that must show what Wine did (e.g. +timestamp,+event,+cursor: every X event,
# pointer button and focus change of a program); a failing test keeps the programs' logs.
WINE_ENVIRONMENT = {"WINEDEBUG": os.environ.get("CAPTURE_WINEDEBUG", "-all"),
                    "WINEDLLOVERRIDES": "mscoree,mshtml="}


class WineApp:
    """One Windows program started under Wine; `pid` is the program's own process id."""

    def __init__(self, process: subprocess.Popen, log: Path) -> None:
        self.process = process
        self.pid = process.pid
        self._log = log

    def wait_exit(self, timeout: float = 10) -> int:
        """The exit status; raises TimeoutError if the program is still running after `timeout`."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TimeoutError(f"pid {self.pid} still running after {timeout:.1f} s") from None

    def running(self) -> bool:
        return self.process.poll() is None

    @contextlib.contextmanager
    def busy(self):
        """Holds the program still while the block runs, like a program busy with other work:
        what is typed or clicked meanwhile waits on its X connection, and it reads all of it at
        once when it goes on. Wine turns X input into window messages only while the program asks
        for messages, so without this a key's reaction may be over before a click sent right after
        the key has arrived (xdotool's key takes 12 to 16 ms from press to release)."""
        os.kill(self.pid, signal.SIGSTOP)
        try:
            yield
        finally:
            os.kill(self.pid, signal.SIGCONT)

    def output(self) -> str:
        """What the program wrote to stdout and stderr so far."""
        return self._log.read_text(errors="replace").replace("\r\n", "\n")


def chinese_code_page() -> dict[str, str]:
    """What a program's environment needs for Wine to give it the Simplified Chinese system
    locale, whose ANSI code page is 936 (GBK). Wine takes the code page from each process's Unix
    locale (LC_ALL), not from the registry: measured with a program printing GetACP(), "ACP"="936"
    under HKLM\\System\\CurrentControlSet\\Control\\Nls\\CodePage still gave 1252 (the template's
    default), and Wine wrote 1252 back at the next start. The locale must exist too: with a
    zh_CN.UTF-8 that is not installed, GetACP() said 936 but Wine named Unix files in ASCII and
    could not make a folder named 截图. So it is compiled once into the build folder (localedef,
    about 3 s) and found through LOCPATH."""
    folder = paths.REPO / "build" / "locale"
    compiled = folder / "zh_CN.UTF-8"
    if not compiled.exists():
        folder.mkdir(parents=True, exist_ok=True)
        making = Path(tempfile.mkdtemp(prefix="zh_CN.", dir=folder))
        subprocess.run(["localedef", "-i", "zh_CN", "-f", "UTF-8", str(making / "zh_CN.UTF-8")],
                       check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not (making / "zh_CN.UTF-8" / "LC_CTYPE").exists():
            raise RuntimeError("localedef could not compile zh_CN.UTF-8: is Debian's locales "
                               "package installed (scripts/setup)?")
        try:
            (making / "zh_CN.UTF-8").rename(compiled)
        except OSError:
            pass  # another test compiled it meanwhile
        shutil.rmtree(making, ignore_errors=True)
    return {"LOCPATH": str(folder), "LC_ALL": "zh_CN.UTF-8"}


def set_dpi(prefix: Path, dpi: int) -> None:
    """Makes the prefix's user report `dpi` logical pixels per inch (96 is 100 %). Written into the
    registry file before any Wine process of the prefix runs, the wineserver reads it at start."""
    registry = prefix / "user.reg"
    text = registry.read_text(encoding="utf-8")
    value = f'"LogPixels"=dword:{dpi:08x}'
    for section in ("[Control Panel\\\\Desktop]", "[Software\\\\Wine\\\\Fonts]"):
        head = text.index(section)
        end = text.find("\n\n", head)
        end = len(text) if end < 0 else end
        body = re.sub(r'\n"LogPixels"=dword:[0-9a-f]+', "", text[head:end])
        text = text[:head] + body + "\n" + value + text[end:]
    registry.write_text(text, encoding="utf-8")


class WinePrefix:
    def __init__(self, processes: Processes, workdir: Path, display_env: dict[str, str],
                 dpi: int = 96) -> None:
        self._processes = processes
        self._workdir = workdir
        template = paths.require(paths.WINE_TEMPLATE, "the template Wine prefix")
        self.path = workdir / "prefix"
        subprocess.run(["cp", "-a", str(template), str(self.path)], check=True)
        if dpi != 96:
            set_dpi(self.path, dpi)
        self.env = {**os.environ, **display_env, **WINE_ENVIRONMENT, "WINEPREFIX": str(self.path)}
        self._keeper = None
        self._launched = 0

    def start_keeper(self) -> None:
        """Starts the keeper and waits until it runs: the prefix's desktop is then up, later
        programs start quickly, and the clipboard outlives them."""
        keeper = paths.require(paths.KEEPER_EXE, "keeper.exe")
        log = self._workdir / "keeper.log"
        with open(log, "wb") as stderr:
            self._keeper = self._processes.start("keeper", ["wine", str(keeper)], env=self.env,
                                                 stdout=subprocess.PIPE, stderr=stderr)
        started = time.monotonic()
        readable, _, _ = select.select([self._keeper.stdout], [], [], 60)
        line = self._keeper.stdout.readline() if readable else b""
        if b"ready" not in line:
            # Seen once in a few hundred starts: say all there is to know, to find its cause.
            said = log.read_text(encoding="utf-8", errors="replace")[-2000:]
            raise RuntimeError(
                f"the keeper did not start in the Wine prefix: after "
                f"{time.monotonic() - started:.2f} s it wrote {line!r}, exit status "
                f"{self._keeper.poll()}, Wine said:\n{said}")

    def launch(self, exe: Path, *args: str, name: str | None = None,
               env: dict[str, str] | None = None) -> WineApp:
        """Starts `exe`; `env` adds to the prefix's environment for this program alone."""
        self._launched += 1
        log = self._workdir / f"{name or exe.stem}-{self._launched}.log"
        with open(log, "wb") as out:
            process = self._processes.start(name or exe.stem, ["wine", str(exe), *args],
                                            env={**self.env, **(env or {})}, stdout=out,
                                            stderr=subprocess.STDOUT, cwd=self._workdir)
        return WineApp(process, log)

    def shut_down(self) -> list[int]:
        """Ends the wineserver of this prefix and with it every Wine process in it, then anything
        left that still carries this prefix. Returns the ids of those leftovers (should be none)."""
        subprocess.run(["wineserver", "-k"], env=self.env, check=False, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        leftovers = []
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            leftovers = pids_with_environment(f"WINEPREFIX={self.path}")
            if not leftovers:
                return []
            time.sleep(0.05)
        for pid in leftovers:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        return leftovers

    def remove(self) -> None:
        shutil.rmtree(self.path, ignore_errors=True)
