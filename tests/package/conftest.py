"""Fixtures of the package tests: the packages scripts/package wrote, and a virtual desktop."""

import os
from pathlib import Path

import pytest

from harness import Desktop, paths


def next_version(version: str) -> str:
    major, minor, patch = version.split(".")
    return f"{major}.{minor}.{int(patch) + 1}"


@pytest.fixture(scope="session")
def dist() -> Path:
    """The folder with the packages of this version and of the next patch version (the latter
    made by `scripts/package --as-version`, for the upgrade)."""
    folder = Path(os.environ.get("CAPTURE_DIST", paths.REPO / "dist"))
    version = paths.project_version()
    for v in (version, next_version(version)):
        for kind in ("msi", "zip"):
            paths.require(folder / f"capture-{v}-win64.{kind}", f"the {v} {kind}")
    return folder


@pytest.fixture
def desktop():
    """A 1280x800 desktop showing deterministic noise; Wine makes no Linux menu entries for the
    shortcuts the installer creates."""
    os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winemenubuilder.exe=d"
    made = Desktop()
    made.wine.env["WINEDLLOVERRIDES"] = os.environ["WINEDLLOVERRIDES"]
    yield made
    made.close()
