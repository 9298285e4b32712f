#!/usr/bin/env bash
# Builds the fuzzing targets of the file readers (clang, libFuzzer, address
# and undefined-behaviour checks) and runs each for a while.
#
#   scripts/fuzz.sh [seconds per target] [reader ...]
#
# Readers: config skeleton mesh clip texture (all by default); 20 seconds
# each by default. The corpora start from the data the build generates and
# grow in build/fuzz/corpus/; a crash is kept as build/fuzz/crashes/<reader>-*
# and the script fails. A long run, one reader at a time:
#   scripts/fuzz.sh 600
set -euo pipefail
seconds=${1:-20}
shift || true
readers=("$@")
[ ${#readers[@]} -gt 0 ] || readers=(config skeleton mesh clip texture)
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" fuzz

build=$here/build/fuzz
data=$build/run/data
mkdir -p "$build/crashes"

seed() {
    local reader=$1 dir=$build/corpus/$1
    mkdir -p "$dir"
    case $reader in
        config) cp "$build/run/game.ini" "$dir/" ;;
        skeleton) cp "$data/man.bone" "$dir/" ;;
        mesh) cp "$data/man_low.mesh" "$dir/" ;;
        clip) cp "$data"/*.anim "$dir/" ;;
        texture)
            # The first byte picks the size: 0 for 64, 1 for 128, 2 for 256.
            { printf '\0'; cat "$data/vorlanface.raw"; } > "$dir/face.raw"
            { printf '\1'; cat "$data/cement.raw"; } > "$dir/cement.raw"
            { printf '\2'; cat "$data/ring.raw"; } > "$dir/ring.raw" ;;
    esac
}

status=0
for reader in "${readers[@]}"; do
    seed "$reader"
    echo "== fuzz_$reader for $seconds s"
    if ! "$build/fuzz_$reader" -max_total_time="$seconds" -dict="$here/fuzz/readers.dict" \
            -print_final_stats=1 -artifact_prefix="$build/crashes/$reader-" \
            "$build/corpus/$reader" 2> "$build/$reader.log"; then
        status=1
        echo "fuzz_$reader found a fault:"
        grep -E "ERROR|SUMMARY|Test unit written" "$build/$reader.log" || tail -20 "$build/$reader.log"
    fi
    grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)|cov:" \
        "$build/$reader.log" | tail -4
done
exit $status
