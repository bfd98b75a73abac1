#!/usr/bin/env bash
# Times `skinpack decode` against the classic decoder as whole processes (start-up, reading and
# writing included) on the generated benchmark inputs, and checks both outputs byte for byte.
#   tests/host/skin_stream/bench/compare.sh [BUILD_DIR] [RUNS] [EARLIER_SKINPACK]
# BUILD_DIR defaults to build/host (needs targets skinpack classic_lzhuf write_bench_inputs).
# EARLIER_SKINPACK, a skinpack built from another revision, is timed in the same rounds: a
# change's effect is then measured side by side, not against figures taken at another time
# (on a shared machine the same program's time moves by a tenth within minutes).
# Each figure is the mean of RUNS runs in the best of five rounds, the two programs alternating
# round by round. With perf it is CPU time (perf stat's task-clock: what the process used, not
# what other work on a shared machine took from it); without perf it is wall time.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../.." && pwd)
build=${1:-$root/build/host}
runs=${2:-40}
earlier=${3:-}
skinpack=$build/tools/skinpack/skinpack
classic=$build/tests/host/skin_stream/classic_lzhuf
inputs=$build/tests/host/skin_stream/write_bench_inputs
for exe in "$skinpack" "$classic" "$inputs" ${earlier:+"$earlier"}; do
    [ -x "$exe" ] || { echo "compare: $exe is not built" >&2; exit 1; }
done

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$inputs" "$dir" >/dev/null

# mean_us CMD...: the mean time of one run in microseconds over $runs runs.
mean_us() {
    if command -v perf >/dev/null && perf stat -e task-clock true 2>/dev/null; then
        perf stat -x, -e task-clock -r "$runs" -o "$dir/stat" "$@" >/dev/null
        awk -F, '/task-clock/ { printf "%d\n", $1 * 1000 }' "$dir/stat"
        return
    fi
    local start end
    start=$EPOCHREALTIME
    for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done
    end=$EPOCHREALTIME
    echo $(((${end/./} - ${start/./}) / runs))
}

printf '%-14s %12s %12s %8s' input classic_us skinpack_us ratio
[ -n "$earlier" ] && printf ' %12s %8s' earlier_us ratio
printf '\n'
for name in one-byte noisy-skin noisy-images english; do
    packed=$dir/$name.packed
    "$classic" "$packed" "$dir/$name.classic"
    "$skinpack" decode "$packed" "$dir/$name.ours"
    for who in classic ours; do
        cmp -s "$dir/$name.$who" "$dir/$name.raw" ||
            { echo "compare: $who output differs from the original on $name" >&2; exit 1; }
    done
    n=$runs
    [ "$name" = noisy-images ] && runs=$(((n + 9) / 10)) # 8 MB: fewer runs
    best_c=0 best_o=0 best_e=0
    for round in 1 2 3 4 5; do
        c=$(mean_us "$classic" "$packed" "$dir/out")
        o=$(mean_us "$skinpack" decode "$packed" "$dir/out")
        ((best_c == 0 || c < best_c)) && best_c=$c
        ((best_o == 0 || o < best_o)) && best_o=$o
        if [ -n "$earlier" ]; then
            e=$(mean_us "$earlier" decode "$packed" "$dir/out")
            ((best_e == 0 || e < best_e)) && best_e=$e
        fi
    done
    runs=$n
    printf '%-14s %12d %12d %8s' "$name" "$best_c" "$best_o" \
        "$(awk -v c="$best_c" -v o="$best_o" 'BEGIN { printf "%.2f", c / o }')"
    [ -n "$earlier" ] && printf ' %12d %8s' "$best_e" \
        "$(awk -v c="$best_c" -v e="$best_e" 'BEGIN { printf "%.2f", c / e }')"
    printf '\n'
done
echo "(ratio = classic time / skinpack time; above 1 means skinpack is faster)"
