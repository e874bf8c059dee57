#!/usr/bin/env bash
# The main job: the host program on the sample library.
set -euo pipefail
build=${1:-build}
exec "$build/bin/ss-host" --library examples/library info
