#!/bin/sh
# Installs every Debian package the build, the tests and the emulated host need.
# Runs as root on a fresh Debian 12 machine; does nothing when all are present.
set -e
PKGS="cmake make g++ pkgconf libxml2-dev libxml2-utils libumockdev-dev umockdev libglib2.0-dev
      libgtest-dev libgmock-dev nlohmann-json3-dev libbenchmark-dev libhbaapi-dev libfuse3-dev
      clang libclang-rt-14-dev util-linux findutils grep coreutils unzip zip
      libpcre2-dev"
missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" != 0 ]; then
    echo "install-deps: missing packages:$missing (run as root to install them)" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq $missing
