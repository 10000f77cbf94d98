#!/bin/sh
# Fuzzes the RTF reader and writer for SECONDS (default 600) with libFuzzer,
# then keeps in fuzz/corpus the fewest inputs that reach all it reached; the
# test suite replays them.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/install-deps fuzz

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLMERE_BUILD_FUZZ=ON >/dev/null
cmake --build build-fuzz --target rtf_reader_fuzzer

fuzzer=build-fuzz/fuzz/rtf_reader_fuzzer
# Leaks in the libraries beneath Qt are theirs, not the reader's.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
mkdir -p fuzz/work/found
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -dict=fuzz/rtf.dict -artifact_prefix=fuzz/work/ -print_final_stats=1 \
    fuzz/work/found fuzz/corpus tests/formats/data

# Keep the corpus small: the fewest inputs that reach every edge reached so
# far. Inputs kept by hand for a fault they once showed start with "regression-".
rm -rf fuzz/work/minimal
mkdir -p fuzz/work/minimal
"$fuzzer" -set_cover_merge=1 -use_counters=0 -max_len=4096 fuzz/work/minimal fuzz/corpus fuzz/work/found
find fuzz/corpus -type f ! -name 'regression-*' -delete
cp fuzz/work/minimal/* fuzz/corpus/
