#!/bin/sh
# Checks every file of the interoperability corpus (tests/formats/corpus)
# against LibreOffice: whether our text is the text LibreOffice shows, and
# whether the tables, notes, headers, footers and comments of our save come
# back out of LibreOffice as they went in. Prints one line per check.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps bench
scripts/build -DQUILLMERE_BUILD_BENCH=ON >/dev/null

work=bench/work/corpus
rm -rf "$work"
mkdir -p "$work/original" "$work/ours" "$work/saved"
export QT_QPA_PLATFORM=offscreen
export HOME="$PWD/$work/home" # LibreOffice keeps its profile here
export XDG_RUNTIME_DIR="$PWD/$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

corpus=tests/formats/corpus
for file in "$corpus"/*.rtf; do
    name=$(basename "$file" .rtf)
    build/bench/rtfconvert "$file" "$work/ours/$name.txt"
    build/bench/rtfconvert "$file" "$work/saved/$name.rtf"
done
# One run of LibreOffice for each export: its start-up takes seconds.
soffice --headless --convert-to txt:Text --outdir "$work/original" "$corpus"/*.rtf >/dev/null 2>&1
soffice --headless --convert-to "html:HTML (StarWriter)" --outdir "$work/original" "$corpus"/*.rtf >/dev/null 2>&1
soffice --headless --convert-to "html:HTML (StarWriter)" --outdir "$work/saved" "$work"/saved/*.rtf >/dev/null 2>&1

python3 bench/report-corpus.py "$corpus" "$work"
