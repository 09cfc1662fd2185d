#!/bin/sh
# Adapter scan time on emulated hosts with 1, 8 and 32 PCI functions (two FC
# functions per adapter), and the share of it spent rewriting /etc/tva.conf.
# usage: sh bench/scan.sh [BUILD_DIR]
bld=${1:-build}
bin=$bld/bin
[ -x "$bin/tvasim" ] && [ -x "$bin/scan_bench" ] || { echo "scan.sh: build tvasim and scan_bench first" >&2; exit 1; }
tmp=$(mktemp -d /tmp/scanbench.XXXXXX) || exit 1
trap 'rm -rf "$tmp"' EXIT

scenario() { # functions
    n=$1 i=0
    printf '{ "adapters": [\n'
    while [ $i -lt $n ]; do
        a=$((i / 2)) f=$((i % 2))
        bus=$(printf '%02x' $((a + 16)))
        if [ $f -eq 0 ]; then
            [ $i -gt 0 ] && printf ' ] },\n'
            printf '  { "serial": "BENCH%05d", "name": "bench-%d", "vpd": { "data": "SN:BENCH%05d" }, "functions": [\n' $a $a $a
        else
            printf ',\n'
        fi
        printf '    { "pci": "0000:%s:00.%d", "type": "fc", "port": %d, "pwwn": "10:00:00:16:57:%s:00:%02x", "nwwn": "20:00:00:16:57:%s:00:%02x" }' \
            "$bus" $f $f "$bus" $f "$bus" $f
        i=$((i + 1))
    done
    printf ' ] }\n] }\n'
}

for n in 1 8 32; do
    scenario $n > "$tmp/s$n.json"
    "$bin/tvasim" run --scenario "$tmp/s$n.json" -- "$bin/scan_bench" 20 || echo "scan.sh: $n functions failed" >&2
done
