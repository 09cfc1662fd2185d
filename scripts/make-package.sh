#!/bin/sh
# Assembles the package directory that a deployment tool unpacks and runs.
# usage: make-package.sh SOURCE_DIR BUILD_DIR
set -e
src=$1; bld=$2; pkg=$bld/package
rm -rf "$pkg.new"
mkdir -p "$pkg.new/ioctl" "$pkg.new/noioctl"
[ -f "$bld/bin/fccomp" ] && cp "$bld/bin/fccomp" "$pkg.new/fccomp"
# Only the bsg transport exists, so both kernel families get the same build.
if [ -f "$bld/bin/tvcli" ]; then
  cp "$bld/bin/tvcli" "$pkg.new/ioctl/tvcli"
  cp "$bld/bin/tvcli" "$pkg.new/noioctl/tvcli"
fi
[ -f "$src/package/reference.xml" ] && cp "$src/package/reference.xml" "$pkg.new/reference.xml"
[ -f "$bld/lib/tvahbaapi.so" ] && cp "$bld/lib/tvahbaapi.so" "$pkg.new/tvahbaapi.so"
[ -f "$bld/tva_boot_fw" ] && cp "$bld/tva_boot_fw" "$pkg.new/tva_boot_fw"
rm -rf "$pkg"
mv "$pkg.new" "$pkg"
