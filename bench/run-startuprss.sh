#!/bin/sh
# Start-up to the main window and welcome screen, and the memory then resident,
# beside a bare Qt program with one empty maximised window, on a virtual screen.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps bench
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null
xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/startuprss "${1:-15}"
