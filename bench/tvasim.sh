#!/bin/sh
# The emulated host's own cost: wall time of `tvasim run -- true` (set-up of
# the namespace, overlays, testbed and served nodes, then tear-down) for 1, 16
# and 64 adapters of two FC functions each, and of the built-in host.
# usage: sh bench/tvasim.sh [BUILD_DIR] [RUNS]
bld=${1:-build}
runs=${2:-5}
sim=$bld/bin/tvasim
[ -x "$sim" ] || { echo "tvasim.sh: build tvasim first" >&2; exit 1; }
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT

scenario() { # N adapters, two FC functions with one LUN-carrying remote port each
    n=$1
    printf '{"adapters": ['
    i=0
    while [ $i -lt "$n" ]; do
        bus=$(printf '%02x' $((i + 16)))
        [ $i -gt 0 ] && printf ','
        printf '{"serial": "BENCH%04d", "functions": [' $i
        printf '{"pci": "0000:%s:00.0", "rports": [{"pwwn": "50:00:00:00:00:00:%s:01", "luns": [0, 1]}]},' "$bus" "$bus"
        printf '{"pci": "0000:%s:00.1", "port": 1}]}' "$bus"
        i=$((i + 1))
    done
    printf ']}\n'
}

now_ms() { date +%s%3N; }

measure() { # label, tvasim options...
    label=$1
    shift
    total=0
    k=0
    while [ $k -lt "$runs" ]; do
        t0=$(now_ms)
        "$sim" run "$@" -- true || { echo "tvasim.sh: run failed" >&2; exit 1; }
        t1=$(now_ms)
        total=$((total + t1 - t0))
        k=$((k + 1))
    done
    printf '%-28s %6d ms per run (%d runs)\n' "$label" $((total / runs)) "$runs"
}

measure "built-in host" 
for n in 1 16 64; do
    scenario $n > "$tmp/s$n.json"
    measure "$n adapters, $((2 * n)) functions" --scenario "$tmp/s$n.json"
done
