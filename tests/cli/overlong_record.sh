#!/bin/sh
# A record of more than a megabyte (here 1.5 MB of digits, as a runaway line of a broken file)
# is refused with its line number, the rows around it are still calculated, and the status is
# 1: never an abort for want of memory.
#   overlong_record.sh PROGRAM
program=$1
out=$( { printf 'Twb\n60\n'; head -c 1500000 /dev/zero | tr '\0' 7; printf '\n70\n'; } |
    "$program" 2>messages.txt)
status=$?
rows=$(printf '%s\n' "$out" | wc -l)
if [ "$status" -ne 1 ] || [ "$rows" -ne 3 ] ||
    [ "$(cat messages.txt)" != "<stdin>:3: a record of more than 1 MB (1048576 bytes)" ]; then
    echo "FAILED: status $status, $rows output lines, messages:" >&2
    cat messages.txt >&2
    exit 1
fi
