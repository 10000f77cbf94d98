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
export XDG_RUNTIME_DIR="$PWD/$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
python3 bench/make-shapes.py "$work"

convert=build/bench/rtfconvert
: > "$work/out/results"
for file in "$work"/*.rtf; do
    name=$(basename "$file" .rtf)
    for i in 1 2 3; do
        /usr/bin/time -f "%e %M" -o "$work/out/$name-$i.time" "$convert" "$file" "$work/out/$name.txt"
    done
    median=$(cat "$work/out/$name"-[123].time | sort -n | sed -n 2p)
    echo "$name $median $(stat -c %s "$file")" >> "$work/out/results"
done

# Each shape's figures, then how the larger size compares with the smaller:
# its time over the smaller one's (ten times the input should cost at most
# twelve times the time), and each file's peak memory over its size.
awk '{ name = $1; seconds[name] = $2; kb[name] = $3; bytes[name] = $4
       printf "%s-seconds %s\n%s-peak-mb %.1f\n%s-file-mb %.1f\n%s-peak-per-file %.1f\n",
              name, $2, name, $3 / 1024, name, $4 / 1048576, name, $3 * 1024 / $4 }
     END {
       n = split("paragraphs-300k paragraphs-3m fonts-20k fonts-200k colours-20k colours-200k " \
                 "table-long-1k table-long-10k table-wide-300 table-wide-3k table-nested-1k table-nested-10k " \
                 "nesting-100k nesting-1m", pairs, " ")
       for (i = 1; i < n; i += 2)
           if (seconds[pairs[i]] > 0)
               printf "%s-time-ratio %.1f\n", pairs[i + 1], seconds[pairs[i + 1]] / seconds[pairs[i]]
     }' "$work/out/results"
