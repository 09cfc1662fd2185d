#!/bin/sh
# Requests per second through the bsg path under the emulated host with 1 and
# 16 threads, and one request's cost against a bare SG_IO to the same handler.
# usage: sh bench/transport.sh [BUILD_DIR] [SECONDS_PER_FIGURE]
bld=${1:-build}
secs=${2:-2}
bin=$bld/bin
[ -x "$bin/tvasim" ] && [ -x "$bin/transport_bench" ] || {
    echo "transport.sh: build tvasim and transport_bench first" >&2
    exit 1
}
exec "$bin/tvasim" run -- "$bin/transport_bench" "$secs"
