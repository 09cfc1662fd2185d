#!/bin/sh
# The main job of the package, run against a private /var/zqm so the host's log
# is left alone.
set -e
bld=${1:-build}
pkg=$(cd "$bld/package" && pwd)
echo "== package: $pkg"
ls -l "$pkg"
unshare -m sh -c '
    set -e
    mount --make-rprivate /
    mount -t tmpfs tmpfs /var/zqm 2>/dev/null || { mkdir -p /var/zqm; mount -t tmpfs tmpfs /var/zqm; }
    cd "$1"
    echo "== ./fccomp /h"
    ./fccomp /h || echo "exit code $?"
    echo "== ./fccomp /d /tmp/discovery.xml"
    ./fccomp /d /tmp/discovery.xml || echo "exit code $?"
    echo "== tail /var/zqm/Component.log"
    tail -n 20 /var/zqm/Component.log
' demo "$pkg"
