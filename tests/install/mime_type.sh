#!/bin/sh
# File managers know containers by content: with the installed file type
# compiled into a private MIME database, GIO (as file managers use it) names
# a file application/x-kombrel exactly when its first seven bytes are
# "KOMBREL", and any file named *.kmb.
#   mime_type.sh ROOT
set -eu
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

mkdir -p "$work/share/mime/packages" "$work/files"
cp "$root"/usr/share/mime/packages/*.xml "$work/share/mime/packages/"
export XDG_DATA_HOME="$work/share" XDG_DATA_DIRS=/usr/share GIO_USE_VFS=local
update-mime-database "$work/share/mime"

cd "$work/files"
echo "some text" >content.txt
"$root/usr/bin/kombrel" pack packed -z content.txt
printf 'KOMBREL\000rest of a header' >signature-then-zero
printf 'KOMBRELX%0300d' 0 >signature-then-other-byte
printf 'KOMBRE' >six-bytes
printf 'kombrel\000%0300d' 0 >lower-case
printf ' KOMBREL\000%0300d' 0 >one-byte-late
printf 'plain text, not a container\n' >named.kmb

# file                          a container?
while read -r file container; do
    type=$(gio info -a standard::content-type "$file" | sed -n 's/^ *standard::content-type: //p')
    if [ "$container" = yes ] && [ "$type" != application/x-kombrel ]; then
        echo "FAIL: $file is $type, expected application/x-kombrel" >&2
        status=1
    elif [ "$container" = no ] && [ "$type" = application/x-kombrel ]; then
        echo "FAIL: $file is taken for a container" >&2
        status=1
    fi
done <<'CASES'
packed                     yes
signature-then-zero        yes
signature-then-other-byte  yes
named.kmb                  yes
six-bytes                  no
lower-case                 no
one-byte-late              no
content.txt                no
CASES
exit $status
