#!/bin/sh
# Runs every benchmark under bench/ and prints its figures.
bld=${1:-build}
for b in bench/*.sh; do
    [ -f "$b" ] || continue
    echo "== $b"
    sh "$b" "$bld"
done
for b in "$bld"/bin/bench_*; do
    [ -x "$b" ] || continue
    echo "== $b"
    "$b"
done
