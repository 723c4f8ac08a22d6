"""Where the harness finds the programs it drives. Each path can be moved by an environment
variable, so a developer's own build directories work as well as the standard ones."""

import os
import re
from pathlib import Path

REPO = Path(__file__).resolve().parents[3]


def _from_env(name: str, default: Path) -> Path:
    value = os.environ.get(name)
    return Path(value).resolve() if value else default


WINDOWS_BUILD = _from_env("CAPTURE_WINDOWS_BUILD", REPO / "build" / "windows")
NATIVE_BUILD = _from_env("CAPTURE_NATIVE_BUILD", REPO / "build" / "native")
WINE_TEMPLATE = _from_env("CAPTURE_WINE_TEMPLATE", REPO / "build" / "wine-template")
CAPTURE_EXE = _from_env("CAPTURE_EXE", WINDOWS_BUILD / "capture.exe")
KEEPER_EXE = WINDOWS_BUILD / "keeper.exe"
TRIVIAL_EXE = WINDOWS_BUILD / "trivial_window.exe"
FOCUS_EXE = WINDOWS_BUILD / "focus_window.exe"
TOOLTIP_TEXT_EXE = WINDOWS_BUILD / "tooltip_text.exe"
XCURSOR_NAME = NATIVE_BUILD / "xcursor_name"
# Per-desktop working folders (screen pictures, the prefix copy). Same file system as the
# template, so copying it is cheap; each desktop removes its own folder when it closes.
RUN_ROOT = _from_env("CAPTURE_E2E_RUN_DIR", REPO / "build" / "e2e-run")


def project_version() -> str:
    """The version CMakeLists.txt's project() names: what --version and the packages carry."""
    text = (REPO / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"^project\(Capture VERSION ([0-9.]+)", text, re.MULTILINE).group(1)


def windows_path(path: os.PathLike | str) -> str:
    """The Wine path of a Unix path: Z: is the Unix root."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def require(path: Path, what: str) -> Path:
    if not path.exists():
        raise FileNotFoundError(f"{what} is missing at {path}: run scripts/build first")
    return path
