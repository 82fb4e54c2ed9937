#!/usr/bin/env bash
# Sets up the machine, builds, and runs the main job on the bundled example.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" build
exec "$here/build/bin/korva-batch" info "$here/examples/field3d.kvp"
