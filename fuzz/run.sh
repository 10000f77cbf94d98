#!/bin/sh
# Fuzzes the RTF reader and writer for SECONDS (default 600) with libFuzzer,
# then merges whatever new coverage it found into fuzz/corpus, which the test
# suite replays.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/install-deps fuzz

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLMERE_BUILD_FUZZ=ON >/dev/null
cmake --build build-fuzz --target rtf_reader_fuzzer

fuzzer=build-fuzz/fuzz/rtf_reader_fuzzer
mkdir -p fuzz/work/found
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -dict=fuzz/rtf.dict -artifact_prefix=fuzz/work/ -print_final_stats=1 \
    fuzz/work/found fuzz/corpus tests/editor/data
"$fuzzer" -merge=1 -max_len=4096 fuzz/corpus fuzz/work/found
