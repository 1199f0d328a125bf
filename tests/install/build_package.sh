#!/bin/sh
# Builds the Debian package from the already built programs with cpack and
# unpacks it into OUT/root, the way dpkg would install it under /.
#   build_package.sh CPACK CPACK_CONFIG OUT
# Leaves OUT/kombrel.deb and OUT/root for the tests that follow.
set -eu
cpack=$1
config=$2
out=$3
rm -rf "$out"
mkdir -p "$out"
if ! "$cpack" -G DEB --config "$config" -B "$out/cpack" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log" >&2
    echo "FAIL: cpack did not build the package" >&2
    exit 1
fi
set -- "$out"/cpack/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || { echo "FAIL: expected one .deb, found: $*" >&2; exit 1; }
mv "$1" "$out/kombrel.deb"
rm -rf "$out/cpack/_CPack_Packages"
dpkg-deb -x "$out/kombrel.deb" "$out/root"
echo "built $(dpkg-deb -f "$out/kombrel.deb" Package Version Architecture | tr '\n' ' ')"
