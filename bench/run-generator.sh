#!/bin/sh
# Opens a generator over idea files of a thousand, a hundred thousand and a
# million lines, and times the whole program on the million-line file against
# `wc -l` reading the same file, the floor for any program that reads it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps bench
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null

work=bench/work
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$PWD/$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
for lines in 1000 100000 1000000; do
    folder="$work/ideas-$lines"
    if [ ! -f "$folder/Villains.txt" ]; then
        mkdir -p "$folder"
        awk -v n="$lines" 'BEGIN { for (i = 1; i <= n; i++)
            printf "Idea %d: the widow of the lighthouse keeper number %d returns to the island with a sealed letter\r\n", i, i }' \
            > "$folder/Villains.txt"
    fi
    build/bench/generatorbench "$folder"
done

folder="$work/ideas-1000000"
hyperfine --warmup 1 --runs 11 --export-json "$work/generator.json" \
    -n quillmere "build/bench/generatorbench $folder 0" \
    -n "wc -l" "wc -l $folder/Villains.txt" >/dev/null
python3 - "$work/generator.json" <<'END'
import json, statistics, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print(f"{r['command']:>10}: median {statistics.median(r['times']) * 1000:.0f} ms over the million-line file")
END
