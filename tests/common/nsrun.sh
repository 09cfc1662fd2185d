#!/bin/sh
# usage: nsrun.sh [-s SETUP] [-C DIR] COMMAND [ARGS...]
#
# Runs COMMAND (as root) in a private mount namespace where nothing it writes
# under /etc or /var reaches the host: both are copy-on-write overlays on a
# tmpfs that vanishes with the namespace, and /var/zqm is an empty tmpfs of
# its own. SETUP is shell text run inside the namespace first (for example to
# write /etc/hba.conf, or `mount -o remount,ro /var/zqm` for an unwritable
# log). -C runs COMMAND in DIR. The exit status is COMMAND's.
if [ "$NSRUN_INSIDE" != 1 ]; then
    top=$(mktemp -d /tmp/nsrun.XXXXXX) || exit 125
    NSRUN_INSIDE=1 NSRUN_TOP=$top unshare -m --propagation private "$0" "$@"
    rc=$?
    rmdir "$top" 2>/dev/null
    exit $rc
fi
unset NSRUN_INSIDE

setup=""
dir=""
while [ $# -gt 0 ]; do
    case "$1" in
    -s) setup=$2; shift 2 ;;
    -C) dir=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "nsrun: no command" >&2; exit 125; }

fail() { echo "nsrun: $*" >&2; exit 125; }
t=$NSRUN_TOP
unset NSRUN_TOP
mount -t tmpfs nsrun "$t" || fail "cannot mount a tmpfs on $t"
for d in etc var; do
    mkdir "$t/$d.up" "$t/$d.work" || fail "mkdir"
    mount -t overlay nsrun -o "lowerdir=/$d,upperdir=$t/$d.up,workdir=$t/$d.work" "/$d" ||
        fail "cannot overlay /$d"
done
mkdir -p /var/zqm && mount -t tmpfs nsrun /var/zqm || fail "cannot mount /var/zqm"

if [ -n "$setup" ]; then
    sh -ec "$setup" || fail "setup failed"
fi
if [ -n "$dir" ]; then
    cd "$dir" || fail "cannot enter $dir"
fi
exec "$@"
