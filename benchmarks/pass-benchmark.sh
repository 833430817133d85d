#!/usr/bin/env bash
# Pass time with the mount table as it is and with 60 more tmpfs mounts, and system calls per drive per
# pass (strace -c -f attached to the benchmark and its drive helper around the measured passes only).
# Runs in a private mount namespace, so the extra mounts never show outside. Needs root and strace.
#   benchmarks/pass-benchmark.sh [build folder=build] [drives=4] [passes=10]
set -euo pipefail
build=${1:-build}
drives=${2:-4}
passes=${3:-10}
bench=$(realpath "$build/benchmarks/wakelatch_pass_benchmark")
[ "$(id -u)" -eq 0 ] || { echo "needs root" >&2; exit 77; }

# Runs the benchmark paused around its measured passes and counts their system calls.
traced_run() {
    local out trace pid helpers
    out=$(mktemp) trace=$(mktemp)
    "$bench" "$drives" "$passes" pause >"$out" &
    pid=$!
    stopped() { awk '{print $3}' "/proc/$pid/stat" 2>/dev/null | grep -q '[Tt]'; }
    until stopped; do sleep 0.05; done
    helpers=$( (pgrep -P "$pid" || true) | sed 's/^/-p /' | tr '\n' ' ')
    # shellcheck disable=SC2086
    strace -c -f -o "$trace" -p "$pid" $helpers 2>/dev/null &
    local tracer=$!
    sleep 0.5
    kill -CONT "$pid"
    # Under the tracer the program stops at every call; its own stop comes after this line.
    until grep -q 'mean pass' "$out"; do sleep 0.05; done
    until stopped; do sleep 0.05; done
    kill -INT "$tracer"; wait "$tracer" || true
    kill -CONT "$pid"; wait "$pid" || true
    local calls
    calls=$(awk '$1=="100.00"{print $4}' "$trace")
    echo "system calls: $calls in $passes passes over $drives drives = $((calls / passes / drives)) per drive per pass"
    rm -f "$out" "$trace"
}

for extra in 0 60; do
    unshare -m --propagation private bash -c '
        set -e
        extra=$1; bench=$2; drives=$3; passes=$4
        folder=$(mktemp -d)
        for i in $(seq 1 "$extra"); do mkdir -p "$folder/$i"; mount -t tmpfs -o size=64k wlextra "$folder/$i"; done
        echo "== $(( $(wc -l </proc/self/mountinfo) + drives )) mount-table lines during the passes"
        "$bench" "$drives" "$passes" | tail -n 1
        for i in $(seq 1 "$extra"); do umount "$folder/$i"; done
        rm -rf "$folder"' _ "$extra" "$bench" "$drives" "$passes"
    unshare -m --propagation private bash -c "$(declare -f traced_run)"'
        set -e
        extra=$1; bench=$2; drives=$3; passes=$4
        folder=$(mktemp -d)
        for i in $(seq 1 "$extra"); do mkdir -p "$folder/$i"; mount -t tmpfs -o size=64k wlextra "$folder/$i"; done
        traced_run
        for i in $(seq 1 "$extra"); do umount "$folder/$i"; done
        rm -rf "$folder"' _ "$extra" "$bench" "$drives" "$passes"
done
