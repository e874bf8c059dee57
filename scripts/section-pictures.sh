#!/bin/sh
# Draws the section shape pictures of the sample library's icons/ folder
# afresh. The pictures are committed, so the library works without a build;
# the sections tests fail when they differ from what the generator draws.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake --build "$build" --target section-pictures
"$build/bin/section-pictures" "$root/examples/library/icons"
