#!/bin/sh
# Times start-up to the main window against a bare Qt program, checks that
# the web engine is not loaded at start, and times the browser window's first
# local page. Runs on a virtual X display when one can be had.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps bench
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null

work=bench/work
export XDG_RUNTIME_DIR="$PWD/$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/startupbench "$@" 2>/dev/null
else
    QT_QPA_PLATFORM=offscreen build/bench/startupbench "$@" 2>/dev/null
fi
