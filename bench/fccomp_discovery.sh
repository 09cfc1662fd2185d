#!/bin/sh
# Wall time of `fccomp /d` on emulated hosts with 1, 4 and 16 adapters (one FC
# function each), and the share of it spent in the shell commands it starts
# per adapter (find, grep, cat, wc). Those commands are timed by wrappers put
# first in PATH, so the share comes from a second, wrapped run.
# usage: sh bench/fccomp_discovery.sh [BUILD_DIR] [RUNS]
bld=$(cd "${1:-build}" && pwd) || exit 1
runs=${2:-3}
bin=$bld/bin
src=$(cd "$(dirname "$0")/.." && pwd)
for t in tvasim fccomp tvcli; do
    [ -x "$bin/$t" ] || { echo "fccomp_discovery.sh: build $t first" >&2; exit 1; }
done
command -v bash >/dev/null || { echo "fccomp_discovery.sh: needs bash" >&2; exit 1; }
tmp=$(mktemp -d /tmp/fccompbench.XXXXXX) || exit 1
trap 'rm -rf "$tmp"' EXIT

scenario() { # adapters
    n=$1 i=0
    printf '{ "adapters": [\n'
    while [ $i -lt $n ]; do
        bus=$(printf '%02x' $((i + 16)))
        [ $i -gt 0 ] && printf ',\n'
        printf '  { "serial": "FCB%05d", "name": "fcb-%d", "model": "TV-825", "card_type": 825, "optrom_ver": "3.2.3.0",\n' $i $i
        printf '    "functions": [ { "pci": "0000:%s:00.0", "type": "fc", "port": 0, "device_id": "0x0013", "ssid": "0x0015",\n' "$bus"
        printf '      "pwwn": "10:00:00:16:57:%s:00:00", "nwwn": "20:00:00:16:57:%s:00:00" } ] }' "$bus" "$bus"
        i=$((i + 1))
    done
    printf '\n] }\n'
}

# Wrappers that log the start and end time of every run of the real command.
mkdir "$tmp/wrap"
for c in find grep cat wc; do
    real=$(command -v $c) || { echo "fccomp_discovery.sh: no $c" >&2; exit 1; }
    cat > "$tmp/wrap/$c" <<WRAP
#!/bin/bash
s=\$EPOCHREALTIME
$real "\$@"
rc=\$?
echo "\$s \$EPOCHREALTIME" >> "\$FCCOMP_BENCH_LOG"
exit \$rc
WRAP
    chmod +x "$tmp/wrap/$c"
done

# One timed `fccomp /d` inside the emulated host; prints its wall seconds.
cat > "$tmp/timed.sh" <<'TIMED'
#!/bin/bash
s=$EPOCHREALTIME
./fccomp /s /d discovery.xml
rc=$?
e=$EPOCHREALTIME
[ $rc -eq 3 ] || echo "fccomp exit code $rc" >&2
echo "$s $e" | awk '{ printf "%.6f\n", $2 - $1 }'
TIMED

mkdir "$tmp/pkg"
cp "$bin/fccomp" "$src/package/reference.xml" "$tmp/pkg/"

printf '%-9s %12s %12s %12s %8s\n' adapters "wall (s)" "wrapped (s)" "commands (s)" share
for n in 1 4 16; do
    scenario $n > "$tmp/s$n.json"
    best=""
    r=0
    while [ $r -lt "$runs" ]; do
        t=$(cd "$tmp/pkg" && "$bin/tvasim" run --scenario "$tmp/s$n.json" -- bash "$tmp/timed.sh" 2>/dev/null | tail -n 1)
        best=$(echo "$best $t" | awk '{ m = $1; for (i = 2; i <= NF; i++) if ($i < m) m = $i; print m }')
        r=$((r + 1))
    done
    : > "$tmp/intervals"
    w=$(cd "$tmp/pkg" && FCCOMP_BENCH_LOG="$tmp/intervals" PATH="$tmp/wrap:$PATH" \
        "$bin/tvasim" run --scenario "$tmp/s$n.json" -- bash "$tmp/timed.sh" 2>/dev/null | tail -n 1)
    # Commands of one pipeline overlap: count the union of their intervals.
    busy=$(sort -n "$tmp/intervals" | awk '
        { if (NR == 1 || $1 > e) { t += e - s; s = $1; e = $2 } else if ($2 > e) e = $2 }
        END { if (NR) t += e - s; printf "%.6f\n", t }')
    share=$(echo "$busy $w" | awk '{ if ($2 > 0) printf "%.0f%%\n", 100 * $1 / $2; else print "-" }')
    printf '%-9s %12s %12s %12s %8s\n' "$n" "$best" "$w" "$busy" "$share"
done
