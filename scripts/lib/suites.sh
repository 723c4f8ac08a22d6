# Bookkeeping for scripts/test: each suite's counts and time, read from its runner's own summary.
# Source after common.sh.

SUITE_NAMES=()
SUITE_PASSED=()
SUITE_FAILED=()
SUITE_SKIPPED=()
SUITE_SECONDS=()
SUITE_NOTES=()

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }

# record NAME PASSED FAILED SKIPPED SECONDS NOTE
record() {
  SUITE_NAMES+=("$1")
  SUITE_PASSED+=("$2")
  SUITE_FAILED+=("$3")
  SUITE_SKIPPED+=("$4")
  SUITE_SECONDS+=("$5")
  SUITE_NOTES+=("$6")
}

# ctest_counts LOG STATUS -> "passed failed skipped note". A run that found no test is a failure.
ctest_counts() {
  local log="$1" status="$2" total failed skipped
  total="$(sed -n 's/.*tests failed out of \([0-9]\+\).*/\1/p' "$log" | tail -1)"
  failed="$(sed -n 's/.* \([0-9]\+\) tests failed out of.*/\1/p' "$log" | tail -1)"
  skipped="$(grep -c '(Skipped)$' "$log" || true)"
  if [[ -z "$total" || "$total" == 0 ]]; then
    echo "0 1 0 ran no test"
  elif ((status != 0 && failed == 0)); then
    echo "$((total - skipped)) 1 $skipped ctest exited with status $status"
  else
    echo "$((total - failed - skipped)) $failed $skipped -"
  fi
}

# pytest_counts LOG STATUS -> "passed failed skipped note", from pytest's closing line.
pytest_counts() {
  local log="$1" status="$2" line passed failed errors skipped xfailed
  line="$(grep -E '^=+ .*( in [0-9.]+s).* =+$' "$log" | tail -1)"
  count() { sed -n "s/.*[^0-9]\([0-9]\+\) $1[,s ].*/\1/p" <<<"$line " | head -1; }
  passed="$(count passed)"
  failed="$(count failed)"
  errors="$(count error)"
  skipped="$(count skipped)"
  # An expected failure did not pass; it is counted with the skipped tests.
  xfailed="$(count xfailed)"
  passed="${passed:-0}" failed="$((${failed:-0} + ${errors:-0}))"
  skipped="$((${skipped:-0} + ${xfailed:-0}))"
  if ((status == 5)) || ((passed + failed + skipped == 0)); then
    echo "0 1 0 ran no test"
  elif ((status != 0 && failed == 0)); then
    echo "$passed 1 $skipped pytest exited with status $status"
  else
    echo "$passed $failed $skipped -"
  fi
}

print_summary() {
  local total_passed=0 total_failed=0 total_skipped=0 i line
  echo
  say "summary"
  printf '  %-14s %7s %7s %8s %9s  %s\n' suite passed failed skipped seconds note
  for i in "${!SUITE_NAMES[@]}"; do
    printf '  %-14s %7s %7s %8s %9s  %s\n' "${SUITE_NAMES[$i]}" "${SUITE_PASSED[$i]}" \
      "${SUITE_FAILED[$i]}" "${SUITE_SKIPPED[$i]}" "${SUITE_SECONDS[$i]}" "${SUITE_NOTES[$i]}"
    total_passed=$((total_passed + SUITE_PASSED[i]))
    total_failed=$((total_failed + SUITE_FAILED[i]))
    total_skipped=$((total_skipped + SUITE_SKIPPED[i]))
  done
  line="$total_passed passed, $total_failed failed"
  ((total_skipped == 0)) || line+=", $total_skipped skipped"
  echo "$line"
  ((total_failed == 0 && total_passed > 0))
}
