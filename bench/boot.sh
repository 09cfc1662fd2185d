#!/bin/sh
# Boot-code update and flash write throughput on the emulated host.
#  1. tvcli boot --update tva_boot_fw -a on 1, 4 and 16 adapters: wall time
#     and the 16:1 ratio (the adapters are flashed in parallel; goal < 2).
#  2. flash --update of a 1 MiB firmware image (write and read-back) against
#     a plain copy of the same bytes inside the same emulated host.
# usage: bench/boot.sh [BUILD_DIR]
set -e
bld=$(cd "${1:-build}" && pwd)
bin=$bld/bin
img=$bld/tva_boot_fw
for f in "$bin/tvasim" "$bin/tvcli" "$img"; do
    [ -e "$f" ] || { echo "bench/boot.sh: $f missing (build tvasim, tvcli and tva_boot_fw)" >&2; exit 1; }
done
work=$(mktemp -d /tmp/bench-boot.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$img" "$work/tva_boot_fw"

scenario() { # N -> N two-port FC adapters of card type 825
    n=$1; i=0
    printf '{ "adapters": [' > "$work/s$n.json"
    while [ $i -lt "$n" ]; do
        bus=$(printf '%02x' $((i + 16)))
        [ $i -gt 0 ] && printf ',' >> "$work/s$n.json"
        printf '{ "serial": "TVB%07d", "card_type": 825, "functions": [' "$i" >> "$work/s$n.json"
        printf '{ "pci": "0000:%s:00.0", "type": "fc", "port": 0, "pwwn": "10:00:00:16:57:%s:00:00", "nwwn": "20:00:00:16:57:%s:00:00" },' "$bus" "$bus" "$bus" >> "$work/s$n.json"
        printf '{ "pci": "0000:%s:00.1", "type": "fc", "port": 1, "pwwn": "10:00:00:16:57:%s:00:01", "nwwn": "20:00:00:16:57:%s:00:01" }] }' "$bus" "$bus" "$bus" >> "$work/s$n.json"
        i=$((i + 1))
    done
    printf '] }\n' >> "$work/s$n.json"
}

now() { date +%s.%N; }

# The update itself, timed inside the emulated host so that setting up the
# host does not count.
update_time() {
    n=$1
    scenario "$n"
    (cd "$work" && "$bin/tvasim" run --scenario "s$n.json" -- /bin/sh -c '
        s=$(date +%s.%N)
        "$0" boot --update tva_boot_fw -a >out.txt 2>err.txt || { echo "exit $?" >&2; cat err.txt >&2; exit 1; }
        e=$(date +%s.%N)
        echo "$s $e" | awk "{ printf \"%.3f\", \$2 - \$1 }"' "$bin/tvcli") 2>/dev/null
}

echo "boot --update tva_boot_fw -a (wall seconds)"
t1=$(update_time 1); echo "   1 adapter:  $t1"
t4=$(update_time 4); echo "   4 adapters: $t4"
t16=$(update_time 16); echo "  16 adapters: $t16"
echo "$t1 $t16" | awk '{ printf "  ratio 16:1: %.2f (goal below 2)\n", $2 / $1 }'

echo "flash --update -f of 1 MiB, 8 times, against copying the same bytes"
head -c 1048576 /dev/urandom > "$work/fw.bin"
scenario 1
(cd "$work" && "$bin/tvasim" run --scenario s1.json -- /bin/sh -c '
    s=$(date +%s.%N)
    for i in 1 2 3 4 5 6 7 8; do "$0" flash --update 1 -f fw.bin >/dev/null || exit 1; done
    m=$(date +%s.%N)
    for i in 1 2 3 4 5 6 7 8; do cat fw.bin > copy.bin; done
    e=$(date +%s.%N)
    echo "$s $m $e" | awk "{ u = \$2 - \$1; c = \$3 - \$2; if (c <= 0) c = 1e-6;
        printf \"  flash update: %.1f MiB/s (write and read-back)\n  plain copy:   %.1f MiB/s\n  copy is %.0f times faster\n\", 8 / u, 8 / c, u / c }"' "$bin/tvcli") 2>/dev/null
