#!/bin/sh
# Loads RTF files that are large in one dimension each (paragraphs, fonts,
# colours, table rows, table cells, nesting), in a small and a ten times
# larger size, and prints for each the median load time of three runs, the
# peak memory and the file's size, as "name value" lines.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps bench
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null

work=bench/work/shapes
mkdir -p "$work/out"
export QT_QPA_PLATFORM=offscreen
python3 bench/make-shapes.py "$work"

convert=build/bench/rtfconvert
for file in "$work"/*.rtf; do
    name=$(basename "$file" .rtf)
    for i in 1 2 3; do
        /usr/bin/time -f "%e %M" -o "$work/out/$name-$i.time" "$convert" "$file" "$work/out/$name.txt"
    done
    cat "$work/out/$name"-[123].time | sort -n | sed -n 2p | {
        read -r seconds kb
        echo "$name-seconds $seconds"
        echo "$name-peak-mb $((kb / 1024))"
    }
    echo "$name-file-mb $(($(stat -c %s "$file") / 1048576))"
done
