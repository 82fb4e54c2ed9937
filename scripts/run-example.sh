#!/usr/bin/env bash
# Sets up the machine, builds, and starts korva on the bundled 3D example.
# Without a display it says so and does the main job without a window: it
# runs a copy of the example end to end with korva-batch, prints where the
# results are and, when xvfb-run is there, draws a picture of them.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" build
bin="$here/build/bin"
example="$here/examples/field3d.kvp"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/korva" "$example"
fi

echo "run-example: no display (DISPLAY is not set), so korva cannot open its window;"
echo "run-example: running the example without a window instead."
work=$(mktemp -d "${TMPDIR:-/tmp}/korva-example.XXXXXX")
cp "$example" "$work/field3d.kvp"
"$bin/korva-batch" run "$work/field3d.kvp"
"$bin/korva-batch" outputs "$work/field3d.kvp"
if command -v xvfb-run >/dev/null 2>&1; then
  if xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/korva" --render "$work/field3d.png" \
       --output 0 --time 0 "$work/field3d.kvp"; then
    echo "run-example: picture of the first result: $work/field3d.png"
  fi
fi
echo "run-example: the project, its solver input and its results are in $work"
