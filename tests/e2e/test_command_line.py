"""The command line for scripts: --full, --region and --window grab without a window and write the
screen's exact pixels to a file, standard output or the clipboard; every failure has its status."""

import getpass
import io
import subprocess
import time
from pathlib import Path

from PIL import Image

from harness import noise
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.hotkeys import activate, start_focus_window
from harness.monitors import HEIGHT, LEFT, WIDTH, TwoMonitorScreen
from harness.paths import CAPTURE_EXE, require, windows_path
from test_settings import portable_copy


def run(desktop, *arguments: str, timeout: float = 60) -> subprocess.CompletedProcess:
    """Runs capture.exe to its end with stdout and stderr read through pipes, as a script would."""
    exe = require(CAPTURE_EXE, "capture.exe")
    return subprocess.run(["wine", str(exe), *arguments], env=desktop.wine.env,
                          cwd=desktop.workdir, capture_output=True, timeout=timeout, check=False)


def private_pictures(desktop) -> Path:
    """The prefix user's Pictures folder, the prefix's own (the template unlinks it from the Unix
    home); its Unix path."""
    pictures = desktop.wine.path / "drive_c" / "users" / getpass.getuser() / "Pictures"
    assert pictures.is_dir() and not pictures.is_symlink()
    return pictures


def picture_file(path) -> Image.Image:
    with Image.open(path) as picture:
        return picture.convert("RGB")


def box(left: int, top: int, width: int, height: int) -> tuple[int, int, int, int]:
    return (left, top, left + width, top + height)


def test_region_full_stdout_clipboard_and_quick_save_hold_the_screens_pixels(desktop):
    shot = desktop.workdir / "区域 shot.png"
    done = run(desktop, "--region", "100,50,300,200", "--out", windows_path(shot))
    assert (done.returncode, done.stderr) == (0, b"")
    assert difference_box(picture_file(shot), desktop.picture.crop(box(100, 50, 300, 200))) is None

    # Clipped to the screen; the format follows the extension.
    whole = desktop.workdir / "whole.BMP"
    assert run(desktop, "--full", "--out", windows_path(whole)).returncode == 0
    assert whole.read_bytes()[:2] == b"BM"
    assert difference_box(picture_file(whole), desktop.picture) is None
    clipped = desktop.workdir / "clipped.png"
    assert run(desktop, "--region", "1200,700,500,500", "--out", str(clipped.name)).returncode == 0
    assert difference_box(picture_file(clipped), desktop.picture.crop(box(1200, 700, 80, 100))) \
        is None

    # PNG on standard output, and the clipboard in the same run.
    piped = run(desktop, "--region", "7,9,64,48", "--out", "-", "--clipboard")
    assert piped.returncode == 0
    assert piped.stdout.startswith(b"\x89PNG\r\n\x1a\n")
    expected = desktop.picture.crop(box(7, 9, 64, 48))
    assert difference_box(Image.open(io.BytesIO(piped.stdout)).convert("RGB"), expected) is None
    assert difference_box(desktop.clipboard_image(), expected) is None

    # Neither: a PNG in the quick-save folder, made for it, under the time's name; the path is
    # printed. A second one in the same second gets " (2)".
    private_pictures(desktop)
    paths = []
    for _ in range(2):
        saved = run(desktop, "--region", "0,0,32,16")
        assert saved.returncode == 0, saved.stderr.decode()
        paths.append(saved.stdout.decode("utf-8").strip())
    folder, name = paths[0].rsplit("\\", 1)
    assert folder.lower().startswith("c:\\users\\") and folder.endswith("\\Pictures\\Screenshots")
    assert name.startswith("截图 ") and name.endswith(".png")
    if paths[1][:-len(" (2).png")] == paths[0][:-len(".png")]:
        assert paths[1].endswith(" (2).png")
    for path in paths:
        local = desktop.wine.path / "drive_c" / path[3:].replace("\\", "/")
        assert difference_box(picture_file(local), desktop.picture.crop(box(0, 0, 32, 16))) is None
    assert desktop.find_windows(CAPTURE_TITLE) == []


def test_runs_started_together_never_write_over_each_others_picture(desktop):
    shots = desktop.workdir / "shots"
    exe = portable_copy(desktop, f"[quick_save]\nfolder = {windows_path(shots)}\n")
    printed = []
    for _ in range(6):
        runs = [subprocess.Popen(["wine", str(exe), "--region", f"{10 * i},0,40,30"],
                                 env=desktop.wine.env, cwd=desktop.workdir,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                for i in range(2)]
        for process in runs:
            out, err = process.communicate(timeout=60)
            assert process.returncode == 0, err.decode("utf-8")
            printed.append(out.decode("utf-8").strip())
    assert len(set(printed)) == len(printed) == 12
    assert sorted(p.name for p in shots.iterdir()) == sorted(p.rsplit("\\", 1)[1] for p in printed)


def test_folders_come_from_windows_not_from_the_environment(desktop):
    # The settings in the roaming application data folder, the pictures in the Pictures folder,
    # with APPDATA and USERPROFILE unset: nothing is made under the current folder.
    pictures = private_pictures(desktop)
    user = desktop.wine.path / "drive_c" / "users" / getpass.getuser()
    settings = user / "AppData" / "Roaming" / "Capture" / "capture.ini"
    settings.parent.mkdir(parents=True)
    settings.write_text("[quick_save]\nfolder = %NOSUCH%\\x\npattern = known-{n}\n",
                        encoding="utf-8")
    exe = require(CAPTURE_EXE, "capture.exe")
    here = desktop.workdir / "here"
    here.mkdir()
    done = subprocess.run(["wine", "cmd", "/c", f"set APPDATA=&& set USERPROFILE=&& "
                           f"{windows_path(exe)} --region 0,0,24,16"],
                          env=desktop.wine.env, cwd=here, capture_output=True, timeout=60,
                          check=False)
    assert done.returncode == 0, done.stderr.decode("utf-8")
    assert "folder 的值“%NOSUCH%\\x”无效" in done.stderr.decode("utf-8")
    assert done.stdout.decode("utf-8").strip().lower() == \
        f"c:\\users\\{getpass.getuser()}\\pictures\\screenshots\\known-1.png"
    assert difference_box(picture_file(pictures / "Screenshots" / "known-1.png"),
                          desktop.picture.crop(box(0, 0, 24, 16))) is None
    assert list(here.iterdir()) == []


def test_window_grabs_the_foreground_windows_bounds(desktop):
    focus = start_focus_window(desktop, "200", "150", "320", "240")
    activate(desktop, focus)
    out = desktop.workdir / "window.png"
    assert run(desktop, "--window", "--out", windows_path(out)).returncode == 0
    assert difference_box(picture_file(out), desktop.grab(200, 150, 320, 240)) is None


def test_regions_across_two_monitors_at_negative_coordinates(make_desktop):
    desktop = make_desktop(WIDTH, HEIGHT, server=TwoMonitorScreen)
    across = desktop.workdir / "across.png"
    # Windows puts the left monitor at x = -1024: X root x 924 is Windows x -100.
    assert run(desktop, "--region", "-100,-20,300,200", "--out", windows_path(across)).returncode \
        == 0
    assert difference_box(picture_file(across), desktop.picture.crop(box(924, 0, 300, 180))) is None

    left = desktop.workdir / "left.png"
    assert run(desktop, "--full", "--monitor", "2", "--out", windows_path(left)).returncode == 0
    assert difference_box(picture_file(left), desktop.picture.crop(LEFT.pil())) is None


def test_delay_grabs_what_the_screen_shows_after_it(desktop):
    # A run without a delay, timed: by then a run that ignored its delay would have grabbed.
    started = time.monotonic()
    assert run(desktop, "--region", "0,0,8,8", "--out", "-").returncode == 0
    undelayed = time.monotonic() - started

    after = noise(desktop.width, desktop.height, seed=9)
    out = desktop.workdir / "delayed.png"
    exe = require(CAPTURE_EXE, "capture.exe")
    app = desktop.launch(exe, "--delay", "1", "--region", "10,10,200,100", "--out",
                         windows_path(out))
    time.sleep(undelayed)
    desktop.screen.set_picture(after)
    assert app.wait_exit(30) == 0
    assert difference_box(picture_file(out), after.crop(box(10, 10, 200, 100))) is None

    # The interactive capture freezes the screen as it is after the delay.
    later = noise(desktop.width, desktop.height, seed=10)
    desktop.watch_painting()
    app = desktop.launch(exe, "--delay", "1")
    time.sleep(undelayed)
    desktop.screen.set_picture(later)
    desktop.wait_painted(CAPTURE_TITLE, later, app=app)
    desktop.key("Escape")
    assert app.wait_exit(10) == 0


def test_every_failure_has_its_status_and_leaves_an_existing_file(desktop):
    bad = run(desktop, "--region", "-5,10,0,20")
    assert bad.returncode == 2
    assert "-5,10,0,20" in bad.stderr.decode("utf-8") and "usage:" in bad.stderr.decode("utf-8")
    off_screen = run(desktop, "--region", "5000,0,10,10", "--clipboard")
    assert off_screen.returncode == 2 and "区域不在屏幕上" in off_screen.stderr.decode("utf-8")
    assert run(desktop, "--full", "--monitor", "2", "--clipboard").returncode == 2
    assert run(desktop, "--out", "x.png").returncode == 2

    missing = run(desktop, "--full", "--out", windows_path(desktop.workdir / "无" / "x.png"))
    assert missing.returncode == 4 and missing.stderr.decode("utf-8").startswith("capture: ")

    existing = desktop.workdir / "existing.xyz"
    existing.write_bytes(b"keep me")
    unknown = run(desktop, "--full", "--out", windows_path(existing))
    assert unknown.returncode == 4 and existing.read_bytes() == b"keep me"
    folder = desktop.workdir / "a folder.png"
    folder.mkdir()
    assert run(desktop, "--full", "--out", windows_path(folder)).returncode == 4
    assert [p.name for p in desktop.workdir.glob("~capture-*")] == []
    assert desktop.find_windows(CAPTURE_TITLE) == []
