#!/bin/sh
# Opens a formatted novel of about 5 MB in a document window and reports how
# the editor keeps up: open to first paint, Ctrl+End, keystroke latency at
# the end and in the middle, Upper Case and its undo, peak memory.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps build
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null

work=bench/work
mkdir -p "$work"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="$PWD/$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
novel="$work/editor-novel-5mb.rtf"
[ -f "$novel" ] || python3 bench/make-novel.py 8200 "$novel"
build/bench/editorbench "$novel" "${1:-5}"
