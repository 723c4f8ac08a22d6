#!/usr/bin/env bash
# The check-then-setup decision of scripts/run, scripts/test and scripts/build (ensure_packages),
# with a fake setup, sudo and id on the path: nothing is installed. Ends with "N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$REPO/scripts/lib/packages.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

# fakes UID SUDO: a bin folder with `setup` (missing packages until it has run), `id -u` printing
# UID, and, unless SUDO is "none", a `sudo` that records its use and works without a password
# ("nopasswd", and runs the command as uid 0) or asks for one ("password").
fakes() {
  local bin
  bin="$(mktemp -d "$work/bin.XXXX")"
  cat >"$bin/setup" <<SCRIPT
#!/bin/bash
if [[ "\${1:-}" == --check ]]; then
  [[ -f "$bin/installed" ]] && exit 0
  echo "setup: missing packages: wixl zip" >&2
  exit 1
fi
echo "uid \$(id -u)" >>"$bin/setup.log"
touch "$bin/installed"
SCRIPT
  printf '#!/bin/bash\necho "${FAKE_UID:-%s}"\n' "$1" >"$bin/id"
  case "$2" in
    nopasswd) printf '#!/bin/bash\necho "$*" >>"%s/sudo.log"\n[[ "$1" == -n ]] && shift\nPATH="%s:$PATH" FAKE_UID=0 "$@"\n' "$bin" "$bin" >"$bin/sudo" ;;
    password) printf '#!/bin/bash\necho "$*" >>"%s/sudo.log"\necho "sudo: a password is required" >&2\nexit 1\n' "$bin" >"$bin/sudo" ;;
  esac
  chmod +x "$bin"/*
  echo "$bin"
}

# check NAME UID SUDO STATUS SETUP_LOG OUTPUT: runs ensure_packages with those fakes; expects its
# exit status, the setup runs it recorded (one line each, or "" for none), and a line of its output.
check() {
  local name="$1" uid="$2" sudo="$3" want_status="$4" want_runs="$5" want_output="$6" bin out
  bin="$(fakes "$uid" "$sudo")"
  out="$(PATH="$bin:/usr/bin:/bin" bash -c "source '$REPO/scripts/lib/common.sh'
    source '$REPO/scripts/lib/packages.sh'; ensure_packages setup" 2>&1)"
  local status=$? runs
  runs="$(cat "$bin/setup.log" 2>/dev/null)"
  if [[ "$status" == "$want_status" && "$runs" == "$want_runs" && "$out" == *"$want_output"* ]]; then
    echo "  $name: passed"
    passed=$((passed + 1))
  else
    echo "  $name: FAILED (status $status, setup runs '${runs//$'\n'/; }')"
    sed 's/^/    /' <<<"$out"
    failed=$((failed + 1))
  fi
}

echo "check-then-setup decision"
check "root runs setup itself" 0 none 0 "uid 0" "installing them with scripts/setup"
check "sudo without a password runs it through sudo -n" 1000 nopasswd 0 "uid 0" \
  "installing them with sudo scripts/setup"
check "sudo that asks for a password stops with the command" 1000 password 1 "" \
  "run: sudo $REPO/scripts/setup"
check "no root and no sudo stops with the command" 1000 none 1 "" \
  "run as root: $REPO/scripts/setup"

# Nothing missing: setup is not run, and nothing is said.
bin="$(fakes 1000 nopasswd)"
touch "$bin/installed"
out="$(PATH="$bin:/usr/bin:/bin" bash -c "source '$REPO/scripts/lib/common.sh'
  source '$REPO/scripts/lib/packages.sh'; ensure_packages setup" 2>&1)"
if [[ $? == 0 && -z "$out" && ! -e "$bin/setup.log" && ! -e "$bin/sudo.log" ]]; then
  echo "  nothing missing does nothing: passed"
  passed=$((passed + 1))
else
  echo "  nothing missing does nothing: FAILED ($out)"
  failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
((failed == 0))
