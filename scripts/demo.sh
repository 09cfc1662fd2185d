#!/bin/sh
# The main job of the package on the emulated host (tvasim's built-in host:
# a two-port FC HBA and a converged adapter). The package is unpacked into a
# scratch working directory, as a deployment tool would; tvasim keeps the
# host's /etc and /var (and so /var/zqm/Component.log) untouched.
set -e
bld=${1:-build}
pkg=$(cd "$bld/package" && pwd)
sim=$(cd "$bld/bin" && pwd)/tvasim
[ -x "$sim" ] || { echo "demo: $sim is missing" >&2; exit 1; }
echo "== package: $pkg"
ls -l "$pkg"
work=$(mktemp -d /tmp/tva-demo.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp -R "$pkg"/. "$work"
cd "$work"
"$sim" run -- sh -c '
    step() { echo; echo "== $*"; "$@"; echo "exit code $?"; }
    step ./fccomp /d discovery.xml
    cat discovery.xml
    step ./fccomp
    step ./fccomp /d discovery.xml
    cat discovery.xml
    echo
    echo "== tail -n 25 /var/zqm/Component.log"
    tail -n 25 /var/zqm/Component.log
'
