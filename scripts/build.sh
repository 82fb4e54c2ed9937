#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh [DIR [cmake options...]]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}
shift || true
# A relative DIR lies under the source folder, an absolute one where it says.
case "$dir" in
/*) ;;
*) dir="$here/$dir" ;;
esac
jobs=$(nproc)
cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$jobs"
