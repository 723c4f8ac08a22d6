"""Fixtures of the end-to-end tests: each test gets its own virtual desktop."""

import time

import pytest

from harness import Desktop, paths


def pytest_report_header(config):
    """Which capture.exe the run drives (CAPTURE_EXE or CAPTURE_WINDOWS_BUILD move it), and when
    it was built: a run meant for another build shows at once."""
    exe = paths.CAPTURE_EXE
    built = time.strftime("%Y-%m-%d %H:%M:%S", time.localtime(exe.stat().st_mtime)) \
        if exe.exists() else "missing"
    return f"capture.exe: {exe} (built {built})"


def pytest_configure(config):
    config.addinivalue_line(
        "markers", "large_screen: the run on one 7680x4320 screen (about 20 s; the program "
        "holds about 800 MB); deselect with -m 'not large_screen'")


@pytest.fixture
def make_desktop():
    """Starts desktops of a chosen size, picture and DPI: make_desktop(3840, 2160,
    picture="gradient"), make_desktop(2560, 1600, dpi=192), or on another X server:
    make_desktop(2304, 800, server=TwoMonitorScreen). Every desktop made is closed after the test,
    and the test fails if one left a process."""
    made = []

    def make(width: int = 1280, height: int = 800, picture="noise", seed: int = 1,
             **options) -> Desktop:
        desktop = Desktop(width, height, picture, seed, **options)
        made.append(desktop)
        return desktop

    yield make
    errors = []
    for desktop in made:
        try:
            desktop.close()
        except Exception as error:  # close them all, then report
            errors.append(error)
    if errors:
        raise errors[0]


@pytest.fixture
def desktop(make_desktop) -> Desktop:
    """A 1280x800 desktop showing deterministic noise."""
    return make_desktop()
