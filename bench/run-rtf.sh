#!/bin/sh
# Times rtfconvert against LibreOffice and AbiWord on novel-length RTF files
# written by LibreOffice (about 5 MB and 50 MB), measures the peak memory of
# loading them and the speed of saving, and prints the medians.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps bench
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null

work=bench/work
mkdir -p "$work/lo" "$work/out"
export QT_QPA_PLATFORM=offscreen
export HOME="$PWD/$work/home" # LibreOffice and AbiWord keep their profiles here
export XDG_RUNTIME_DIR="$PWD/$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# The inputs: a generated novel, opened and saved as RTF by LibreOffice.
for size in 5 50; do
    novel="$work/novel-${size}mb.rtf"
    [ -f "$novel" ] && continue
    python3 bench/make-novel.py $((size * 1140)) "$work/source-${size}mb.rtf"
    soffice --headless --convert-to rtf --outdir "$work/lo" "$work/source-${size}mb.rtf" >/dev/null 2>&1
    mv "$work/lo/source-${size}mb.rtf" "$novel"
done

convert=build/bench/rtfconvert
for size in 5 50; do
    novel="$work/novel-${size}mb.rtf"
    runs=$([ "$size" = 5 ] && echo 7 || echo 3)
    hyperfine --warmup 1 --runs "$runs" --export-json "$work/load-${size}mb.json" \
        -n quillmere "$convert $novel $work/out/quillmere-${size}mb.txt" \
        -n libreoffice "soffice --headless --convert-to txt:Text --outdir $work/out/lo $novel" \
        -n abiword "abiword --to=txt -o $work/out/abiword-${size}mb.txt $novel" >/dev/null

    # The same text comes out of all three (LibreOffice adds a byte-order mark and CR LF).
    sed '1s/^\xEF\xBB\xBF//' "$work/out/lo/novel-${size}mb.txt" | tr -d '\r' > "$work/out/lo-${size}mb.txt"
    if cmp -s "$work/out/lo-${size}mb.txt" "$work/out/quillmere-${size}mb.txt"; then
        echo "novel-${size}mb: text identical to LibreOffice's"
    else
        echo "novel-${size}mb: text DIFFERS from LibreOffice's"
    fi

    # Peak memory of loading, and the time of saving (three runs each).
    for i in 1 2 3; do
        /usr/bin/time -f "%M" -o "$work/rss-${size}mb-$i" "$convert" "$novel" "$work/out/quillmere-${size}mb.txt"
        "$convert" -v "$novel" "$work/out/quillmere-${size}mb.rtf" 2> "$work/save-${size}mb-$i"
    done
done
printf '{\\rtf1 x}' > "$work/empty.rtf"
/usr/bin/time -f "%M" -o "$work/rss-empty" "$convert" "$work/empty.rtf" "$work/out/empty.txt"

python3 bench/report-rtf.py "$work"
