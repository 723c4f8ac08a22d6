# Shared by the scripts in scripts/: paths, messages, the Wine environment. Source it; it sets
# REPO (the repository root) and changes nothing else.

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$REPO/build"
WINE_TEMPLATE="$BUILD/wine-template"
# The capture.exe this tree builds. Not CAPTURE_EXE: that one, exported, tells the end-to-end
# harness which program to drive, and sourcing this file must not change it.
BUILT_EXE="$BUILD/windows/capture.exe"
# Debian's Python, where python3-pil and python3-pytest are installed (a python3 earlier on PATH,
# pyenv's for one, may not have them).
PYTHON=/usr/bin/python3
# The machine has two cores shared with everything else.
JOBS="${CAPTURE_JOBS:-2}"

say() { printf '\033[1m==> %s\033[0m\n' "$*"; }
warn() { printf '\033[33mwarning:\033[0m %s\n' "$*" >&2; }
die() {
  printf '\033[31merror:\033[0m %s\n' "$*" >&2
  exit 1
}

# Wine quietly, with no installer dialogs for .NET or a web engine.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Runs the end-to-end harness's Python tools with the harness importable.
harness_python() {
  PYTHONPATH="$REPO/tests/e2e${PYTHONPATH:+:$PYTHONPATH}" "$PYTHON" "$@"
}
