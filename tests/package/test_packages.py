"""The Windows packages under Wine: the MSI installed, upgraded and removed silently as a user
would (msiexec /qn), and the zip run from a folder whose path has a space and a Chinese character.
Wine's msiexec is not Windows' Installer: what these tests prove is the package's tables acting
on a Windows-like system, not the Windows shell's view of them."""

import subprocess
import zipfile
from pathlib import Path

from conftest import next_version
from harness import capture_ui, paths
from harness.desktop import CAPTURE_TITLE, difference_box
from harness.processes import wait_until

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
SELECTION = ((100, 100), (300, 250))
PUBLISHER = "The Capture authors"


def wine(desktop, *args: str, timeout: float = 120) -> subprocess.CompletedProcess:
    return subprocess.run(["wine", *args], env=desktop.wine.env, capture_output=True,
                          timeout=timeout, check=False)


def msiexec(desktop, action: str, msi: Path) -> None:
    result = wine(desktop, "msiexec", action, paths.windows_path(msi), "/qn")
    assert result.returncode == 0, f"msiexec {action} {msi.name}: {result.returncode}"


def user_folder(desktop) -> Path:
    (folder,) = [p for p in (desktop.wine.path / "drive_c" / "users").iterdir()
                 if p.name not in ("Public", "Default")]
    return folder


def installed(desktop) -> dict[str, Path]:
    user = user_folder(desktop)
    return {"program": user / "AppData/Local/Programs/Capture",
            "shortcut": user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/截图.lnk"}


def registry(desktop, key: str, tmp_path: Path) -> dict[str, dict[str, str]]:
    """The key and its subkeys as regedit exports them (UTF-16, so Chinese text is kept; reg
    query's output turns it into question marks): {subkey: {name: value}}, string values only."""
    exported = tmp_path / "export.reg"
    exported.unlink(missing_ok=True)
    result = wine(desktop, "regedit", "/E", paths.windows_path(exported), key)
    # regedit exits with 0 whether it wrote the file or not: no file is a failed read, never an
    # empty key (every key read here exists from the first install on).
    assert exported.exists(), f"regedit /E {key} wrote nothing (status {result.returncode}): " \
        f"{(result.stdout + result.stderr).decode(errors='replace')!r}"
    keys, values = {}, {}
    for line in exported.read_text(encoding="utf-16").splitlines():
        if line.startswith("["):
            values = keys.setdefault(line.strip("[]"), {})
        elif line.startswith('"') and '"="' in line:
            name, _, value = line.partition('"="')
            values[name[1:]] = value[:-1].replace("\\\\", "\\")
    return keys


def uninstall_entries(desktop, tmp_path: Path) -> list[dict[str, str]]:
    """What Windows Installer keeps for Apps & features about each installed product of ours
    (InstallProperties under the installing user's UserData), with the product's icon from the
    user's product registration."""
    data = registry(desktop, r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion"
                    r"\Installer\UserData", tmp_path)
    products = registry(desktop, r"HKEY_CURRENT_USER\Software\Microsoft\Installer\Products",
                        tmp_path)
    icons = {key.rsplit("\\", 1)[-1]: v.get("ProductIcon") for key, v in products.items()}
    entries = []
    for key, values in data.items():
        if key.endswith("\\InstallProperties") and values.get("Publisher") == PUBLISHER:
            packed = key.split("\\")[-2]
            entries.append({**values, "ProductIcon": icons.get(packed) or ""})
    return entries


def run_value_set(desktop, tmp_path: Path) -> bool:
    run_key = RUN_KEY.replace("HKCU", "HKEY_CURRENT_USER")
    return "Capture" in registry(desktop, run_key, tmp_path).get(run_key, {})


def version_line(desktop, exe: Path) -> str:
    result = wine(desktop, str(exe), "--version", timeout=30)
    assert result.returncode == 0
    return result.stdout.decode().strip()


def captures_exactly(desktop, exe: Path) -> None:
    """A one-shot capture by pointer: drag a selection, double-click it, the clipboard holds
    exactly those screen pixels."""
    app = desktop.launch_capture(exe=exe)
    (left, top), (right, bottom) = SELECTION
    capture_ui.make_selection(desktop, app, (left, top), (right, bottom))
    desktop.double_click((left + right) // 2, (top + bottom) // 2)
    assert app.wait_exit(10) == 0
    clip = desktop.clipboard_image()
    assert clip is not None, "nothing on the clipboard"
    assert difference_box(clip, desktop.picture.crop((left, top, right, bottom))) is None


def test_msi_installs_upgrades_and_uninstalls_for_the_user(desktop, dist, tmp_path):
    version = paths.project_version()
    newer = next_version(version)
    msiexec(desktop, "/i", dist / f"capture-{version}-win64.msi")
    where = installed(desktop)
    assert sorted(p.name for p in where["program"].iterdir()) == \
        ["LICENSE.txt", "README.txt", "capture.exe"]
    shortcut = where["shortcut"].read_bytes()
    assert "capture.exe".encode("utf-16-le") in shortcut.lower() or b"capture.exe" in shortcut
    assert "--tray".encode("utf-16-le") in shortcut
    (entry,) = uninstall_entries(desktop, tmp_path)
    assert entry["DisplayName"] == "截图 Capture" and entry["DisplayVersion"] == version
    icon = entry["ProductIcon"]
    assert icon.startswith("C:\\") and (user_folder(desktop).parents[1] / icon[3:].replace(
        "\\", "/")).is_file(), f"no icon for Apps & features at {icon}"
    exe = where["program"] / "capture.exe"
    assert version_line(desktop, exe) == f"capture {version}"
    captures_exactly(desktop, exe)

    # Started at sign-in (as the tray menu's 开机启动 sets it): an upgrade keeps that.
    command = f'"{paths.windows_path(exe)}" --tray'
    wine(desktop, "reg", "add", RUN_KEY, "/v", "Capture", "/d", command, "/f")
    assert run_value_set(desktop, tmp_path)
    msiexec(desktop, "/i", dist / f"capture-{newer}-win64.msi")
    assert [e["DisplayVersion"] for e in uninstall_entries(desktop, tmp_path)] == [newer]
    assert version_line(desktop, exe) == f"capture {version}"  # the same build, repacked
    assert run_value_set(desktop, tmp_path)

    # Uninstalled while it runs in the notification area.
    resident = desktop.launch(exe, "--tray")
    desktop.wait_window("Wine System Tray", app=resident)
    msiexec(desktop, "/x", dist / f"capture-{newer}-win64.msi")
    assert resident.wait_exit(10) == 0
    assert not where["program"].exists() and not where["shortcut"].exists()
    assert uninstall_entries(desktop, tmp_path) == []
    assert not run_value_set(desktop, tmp_path)
    assert desktop.find_windows(CAPTURE_TITLE) == []


def test_zip_runs_from_a_folder_with_a_space_and_a_chinese_character(desktop, dist):
    version = paths.project_version()
    folder = desktop.workdir / "我的 工具"
    with zipfile.ZipFile(dist / f"capture-{version}-win64.zip") as archive:
        assert sorted(archive.namelist()) == ["LICENSE.txt", "README.txt", "capture.exe"]
        archive.extractall(folder)
    exe = folder / "capture.exe"
    assert version_line(desktop, exe) == f"capture {version}"
    app = desktop.launch_capture(exe=exe)
    desktop.key("Escape")
    assert app.wait_exit(10) == 0
    wait_until(lambda: desktop.find_windows(CAPTURE_TITLE) == [], 5, what="the window gone")
