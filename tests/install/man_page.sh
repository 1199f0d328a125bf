#!/bin/sh
# The installed manual page of kombrel formats without a warning and
# documents every command and option that the program's own help names.
#   man_page.sh ROOT
set -eu
root=$1
kombrel=$root/usr/bin/kombrel
page=$root/usr/share/man/man1/kombrel.1.gz
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

warnings=$(gzip -dc "$page" | groff -t -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "groff warns: $warnings"

text=$(gzip -dc "$page" | groff -t -man -Tascii -P-cbou 2>/dev/null)
help=$("$kombrel" --help)
for command in pack list extract test; do
    help="$help
$("$kombrel" "$command" --help)"
    printf '%s\n' "$text" | grep -q "^ *$command " || fail "no section for the command $command"
done
options=$(printf '%s\n' "$help" | grep -oE -- '(^|[][ |,])--?[A-Za-z][-A-Za-z]*' | sed 's/^[^-]*//' | sort -u)
for option in $options; do
    printf '%s\n' "$text" | grep -q -- "$option\([^-A-Za-z]\|$\)" || fail "the option $option is not documented"
done
exit $status
