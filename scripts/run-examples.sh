#!/usr/bin/env bash
# The main job: the host program evaluates the standards of the sample
# drawing on the sample library and prints a table of variables per sheet;
# before it, the sample bill of material is built into the build folder.
# Usage: scripts/run-examples.sh [BUILD_FOLDER]   (default: build, relative to the project root)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
mkdir -p "$build/bills"
"$build/bin/ss-host" --library examples/library bill examples/library/Bills/Frames.csv \
  --settings Bill --output "$build/bills/Frames.kvb"
exec "$build/bin/ss-host" --library examples/library eval examples/library/Macros/Connections.json
