#!/bin/sh
# The package holds exactly the programs and the desktop files, and declares
# what the programs need at run time.
#   package_contents.sh PACKAGE.deb
set -eu
deb=$1
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

expected=$(mktemp)
trap 'rm -f "$expected"' EXIT
cat >"$expected" <<'FILES'
./usr/bin/kombrel
./usr/bin/kombrel-wizard
./usr/share/applications/kombrel-wizard.desktop
./usr/share/icons/hicolor/32x32/apps/kombrel-wizard.png
./usr/share/icons/hicolor/scalable/apps/kombrel-wizard.svg
./usr/share/man/man1/kombrel.1.gz
./usr/share/metainfo/org.kombrel.Kombrel.metainfo.xml
./usr/share/mime/packages/kombrel.xml
FILES
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort | diff -u "$expected" - >&2 \
    || fail "the package's files differ from the expected list (- expected, + packed)"

# Every program is executable and owned by root, as dpkg will install it.
dpkg-deb -c "$deb" | awk '$6 ~ /^\.\/usr\/bin\/./ && ($1 != "-rwxr-xr-x" || $2 != "root/root") { print; bad = 1 } END { exit bad }' \
    || fail "programs not installed as root-owned executables"

depends=$(dpkg-deb -f "$deb" Depends)
# Qt 6 Widgets, its platform plugins, zlib, the Japanese font.
for package in libqt6widgets6 qt6-qpa-plugins zlib1g fonts-ipafont-gothic; do
    printf '%s\n' "$depends" | tr ',' '\n' | grep -q "^ *$package\( \|$\)" || fail "Depends lacks $package: $depends"
done
exit $status
