#!/usr/bin/env bash
# Sets up the machine, builds the release and the sanitizer flavours and runs the
# whole test suite on both (the release tests once more, all in one process), then
# fuzzes the level reader for three minutes (a finding fails the run). Needs no
# display: the tests run under their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh --packages-only

jobs="$(nproc 2>/dev/null || echo 2)"
run_suite() {
  local flavour="$1"
  bash tools/build.sh "$flavour"
  echo "== tests: $flavour"
  # Render tests need an X server; xvfb-run starts a private one for the run.
  xvfb-run -a -s "-screen 0 1920x1080x24" \
    ctest --test-dir "build/$flavour" --output-on-failure --parallel "$jobs" --timeout 300
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
run_suite release
# ctest gives every test a process of its own; the binary run whole must pass as well,
# as a developer runs it. Its output goes to a file, shown when it fails.
echo "== tests: release, all in one process"
if ! xvfb-run -a -s "-screen 0 1920x1080x24" build/release/tests/kelvane_tests \
    > build/release/one-process.log 2>&1; then
  grep -E '^\[  FAILED|Failure' -A8 build/release/one-process.log | tail -200
  echo "the tests run in one process failed: build/release/one-process.log"
  exit 1
fi
run_suite asan
bash tools/fuzz.sh 180
