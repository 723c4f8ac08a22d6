"""Pictures a failing end-to-end test leaves in its own folder for a person to look at."""

import shutil
from contextlib import contextmanager
from pathlib import Path

from PIL import Image


class Evidence:
    def __init__(self, folder: Path) -> None:
        self.folder = Path(folder)

    def save(self, name: str, picture: Image.Image) -> Path:
        path = self.folder / f"{name}.png"
        picture.save(path)
        return path

    @contextmanager
    def on_failure(self, desktop):
        """Saves the screen as screen-at-failure.png when the block raises, and the output of the
        programs the desktop started (with Wine's traces when CAPTURE_WINEDEBUG asked for some),
        and names the folder in the failure."""
        try:
            yield self
        except BaseException as error:
            try:
                path = self.save("screen-at-failure", desktop.screenshot())
                error.add_note(f"screenshot and other pictures of this failure: {path.parent}")
            except Exception as secondary:  # the failure itself matters more
                error.add_note(f"could not save a screenshot: {secondary}")
            # The desktop's folder goes when it closes; the logs stay here.
            for log in sorted(Path(desktop.workdir).glob("*.log")):
                shutil.copy(log, self.folder / log.name)
            raise
