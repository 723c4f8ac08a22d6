# Makes sure the Debian packages are installed before a script builds or runs anything: when
# `scripts/setup --check` finds some missing, runs scripts/setup itself, directly as root or
# through a sudo that needs no password; otherwise stops with the one command to run.
# Source after common.sh.

# ensure_packages [SETUP]: SETUP is the setup program (scripts/setup unless named).
ensure_packages() {
  local setup="${1:-$REPO/scripts/setup}" missing
  missing="$("$setup" --check 2>&1)" && return 0
  say "$(basename "$0") needs Debian packages that are not installed (${missing#setup: missing packages: })"
  if [[ "$(id -u)" == 0 ]]; then
    say "installing them with scripts/setup (about a minute of apt on a fresh machine)"
    "$setup" || die "scripts/setup failed"
  elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    say "installing them with sudo scripts/setup (about a minute of apt on a fresh machine)"
    sudo -n "$setup" || die "sudo scripts/setup failed"
  elif command -v sudo >/dev/null; then
    die "installing them needs root; run: sudo $REPO/scripts/setup"
  else
    die "installing them needs root; run as root: $REPO/scripts/setup"
  fi
}
