#!/bin/sh
# Times start-up to the main window and the welcome screen against a bare Qt
# program, with the memory of each; checks that the web engine is not loaded
# at start; times the browser window's first local page. On a virtual X
# display, so that windows are really mapped and painted as on a desktop.
# Usage: bench/run-startup.sh [runs]
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps bench
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null

work=bench/work
export XDG_RUNTIME_DIR="$PWD/$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
# The web engine and the X server are talkative; their messages go to a log
# that is shown when something fails.
log="$work/startup.log"
if ! xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/startupbench "$@" 2>"$log"; then
    tail -n 20 "$log" >&2
    exit 1
fi
