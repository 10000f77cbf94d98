#!/bin/sh
# Times the journal's list re-read over 10,000 entries and the scrambling of
# 1 MB of text beside one plain copy of it; prints the medians.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps build
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null

work=bench/work
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$PWD/$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
build/bench/journalbench "$work/journal-10k"
