#!/usr/bin/env bash
# The main job: the host program on the sample library.
# Usage: scripts/run-examples.sh [BUILD_FOLDER]   (default: build, relative to the project root)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
exec "$build/bin/ss-host" --library examples/library info
