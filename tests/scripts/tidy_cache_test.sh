#!/usr/bin/env bash
# When scripts/lib/tidy.py checks a file again and when it trusts an earlier pass: a fake
# clang-tidy on the path records each file it is asked about and finds a fault in any file that
# says FAULT; clang preprocesses for real. Ends with "N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

mkdir -p "$work/bin" "$work/src" "$work/build"
cat >"$work/bin/clang-tidy" <<SCRIPT
#!/bin/bash
[[ "\$1" == --version ]] && { echo "fake clang-tidy 1"; exit 0; }
file="\${@: -1}"
basename "\$file" >>"$work/checked"
if grep -q FAULT "\$file" "$work/src/"*.h; then echo "\$file:1:1: warning: a fault [fake]"; fi
exit 0
SCRIPT
chmod +x "$work/bin/clang-tidy"
printf '#pragma once\ninline int Twice(int x) { return 2 * x; }\n' >"$work/src/twice.h"
printf '#include "twice.h"\nint A() { return Twice(1); }\n' >"$work/src/a.cpp"
printf 'int B() { return 2; }\n' >"$work/src/b.cpp"
cat >"$work/build/compile_commands.json" <<JSON
[{"directory": "$work/build", "file": "$work/src/a.cpp",
  "command": "g++ -std=c++20 -I$work/src -o a.o -c $work/src/a.cpp"},
 {"directory": "$work/build", "file": "$work/src/b.cpp",
  "command": "g++ -std=c++20 -o b.o -c $work/src/b.cpp"}]
JSON

# run WANT_STATUS WANT_CHECKED NAME [TIDY.PY ARGUMENTS]: one run over both files; expects its exit
# status and the files clang-tidy was asked about (sorted, space-separated).
run() {
  local want_status="$1" want_checked="$2" name="$3" out status checked
  shift 3
  rm -f "$work/checked"
  out="$(PATH="$work/bin:$PATH" CAPTURE_TIDY_CACHE="$work/cache" "$PYTHON" \
    "$REPO/scripts/lib/tidy.py" --build "$work/build" "$@" "$work/src/a.cpp" "$work/src/b.cpp" 2>&1)"
  status=$?
  checked="$(sort "$work/checked" 2>/dev/null | tr '\n' ' ')"
  if [[ "$status" == "$want_status" && "${checked% }" == "$want_checked" ]]; then
    echo "  $name: passed"
    passed=$((passed + 1))
  else
    echo "  $name: FAILED (status $status, checked '${checked% }')"
    sed 's/^/    /' <<<"$out"
    failed=$((failed + 1))
  fi
}

echo "what is checked again"
run 0 "a.cpp b.cpp" "a first run checks every file"
run 0 "" "nothing changed: nothing is checked"
printf '#pragma once\ninline int Twice(int x) { return x + x; }\n' >"$work/src/twice.h"
run 0 "a.cpp" "a changed header: only its includer is checked"
run 0 "a.cpp b.cpp" "other arguments: every file is checked" --extra-arg=-DWIDE
printf 'int B() { return 2; }  // FAULT\n' >"$work/src/b.cpp"
run 1 "b.cpp" "a changed comment (a NOLINT is one) is checked; its finding fails the run"
run 1 "b.cpp" "a finding is not remembered"
printf 'int B() { return 2; }\n' >"$work/src/b.cpp"
run 0 "" "the file as it last passed is not checked again"
echo "$passed passed, $failed failed"
((failed == 0))
