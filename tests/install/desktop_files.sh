#!/bin/sh
# The desktop entry, the icons, the file type and the metainfo of an
# installed tree name one another consistently, and the 32 x 32 icon is the
# window's own icon pixel for pixel; the scalable icon is the same drawing.
#   desktop_files.sh ROOT WINDOW_ICON.xpm
set -eu
root=$1
window_icon=$2
share=$root/usr/share
desktop=$share/applications/kombrel-wizard.desktop
metainfo=$share/metainfo/org.kombrel.Kombrel.metainfo.xml
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
key() { sed -n "s/^$1=//p" "$desktop"; }

exec_name=$(key Exec)
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"

icon=$(key Icon)
png=$share/icons/hicolor/32x32/apps/$icon.png
svg=$share/icons/hicolor/scalable/apps/$icon.svg
[ "$(identify -format '%m %wx%h' "$png" 2>/dev/null)" = "PNG 32x32" ] || fail "$png is not a 32 x 32 PNG"
differing=$(compare -metric AE "$png" "$window_icon" null: 2>&1) || true
[ "$differing" = "0" ] || fail "$png differs from the window's icon in $differing pixels"
# The scalable icon is the same drawing: rendered at 32 x 32 it differs from
# the window's icon only where its diagonal edges are smoothed (under a tenth
# of the pixels).
rendered=$(mktemp --suffix=.png)
if rsvg-convert -w 32 -h 32 "$svg" -o "$rendered"; then
    differing=$(compare -metric AE -fuzz 10% "$rendered" "$window_icon" null: 2>&1) || true
    [ "$differing" -le 102 ] 2>/dev/null || fail "$svg at 32 x 32 differs from the window's icon in $differing pixels"
else
    fail "$svg does not render"
fi
rm -f "$rendered"

# One file type, named alike in the three places that name it.
desktop_types=$(key MimeType)
defined_types=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$share"/mime/packages/*.xml)
provided_types=$(sed -n 's/.*<mediatype>\(.*\)<\/mediatype>.*/\1/p' "$metainfo")
[ "$desktop_types" = "application/x-kombrel;" ] || fail "MimeType=$desktop_types"
[ "$defined_types" = "application/x-kombrel" ] || fail "the mime definition names: $defined_types"
[ "$provided_types" = "application/x-kombrel" ] || fail "the metainfo provides: $provided_types"

grep -q "<launchable type=\"desktop-id\">kombrel-wizard.desktop</launchable>" "$metainfo" \
    || fail "the metainfo does not launch kombrel-wizard.desktop"
grep -q "<icon type=\"stock\">$icon</icon>" "$metainfo" || fail "the metainfo's icon is not $icon"
exit $status
