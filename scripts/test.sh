#!/usr/bin/env bash
# Sets up the machine, builds and runs every test: the normal build, then the
# same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
# KORVA_SKIP_SANITIZE=1 skips the sanitizer build for a quick local run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1
jobs=$(nproc)

"$here/scripts/build.sh" build -DKORVA_WERROR=ON
ctest --test-dir "$here/build" -j "$jobs" --timeout 600

if [ "${KORVA_SKIP_SANITIZE:-0}" != "1" ]; then
  "$here/scripts/build.sh" build-asan -DKORVA_SANITIZE=ON -DKORVA_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$here/build-asan" -j "$jobs" --timeout 900
fi
