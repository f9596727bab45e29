#!/bin/sh
# Every output of veltrane-calc written to a full disk (/dev/full): each failure must be one
# line on standard error, naming what could not be written, and exit status 1.
#   unwritable_outputs.sh PROGRAM WORKDIR WITH_CHART(0|1)
program=$1
workdir=$2
with_chart=$3
cd "$workdir" || exit 1
failures=0

# expect_failure EXPECTED_MESSAGE_START STDOUT_TARGET ARGUMENTS...
expect_failure() {
    expected=$1
    target=$2
    shift 2
    "$program" "$@" >"$target" 2>messages.txt
    status=$?
    lines=$(wc -l <messages.txt)
    if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q "^veltrane-calc: $expected" messages.txt; then
        echo "FAILED: $* >$target: status $status, $lines lines:" >&2
        cat messages.txt >&2
        failures=$((failures + 1))
    fi
}

ln -sf /dev/full full.svg
ln -sf /dev/full full.pdf
ln -sf /dev/full full.png
expect_failure "cannot write the help: " /dev/full --help
expect_failure "cannot write the version: " /dev/full --version
expect_failure "cannot write the results: " /dev/full --defaults
expect_failure "cannot write the results: " /dev/full --defaults --sweep LG=0.5:3:0.001
# A hundred million designs: the run stops at the first piece that cannot be written.
expect_failure "cannot write the results: " /dev/full --defaults --sweep Flow=1:1e8:1
expect_failure "cannot write the worksheets to \"/dev/full\": " /dev/null --defaults --trace=/dev/full
expect_failure "cannot write the worksheets to \"/nonexistent/x\": " /dev/null --defaults --trace=/nonexistent/x
expect_failure "--demand: cannot write \"/dev/full\": " /dev/null --defaults --demand /dev/full
if [ "$with_chart" = 1 ]; then
    for format in svg pdf png; do
        expect_failure "--chart: cannot write full.$format: " /dev/null --defaults --chart full.$format
    done
    printf 'P,Twb,Tdb,THot,TCold,Flow,FanPower\n14.6,60,75,99,74,950,12\n' >readings.csv
    expect_failure "--report: cannot write full.pdf: " /dev/null --acceptance --defaults --slope 0.6 --report full.pdf readings.csv
fi
# Worksheets to a full standard error: no message can get through, but the status says so.
"$program" --defaults --trace >/dev/null 2>/dev/full
status=$?
if [ "$status" -ne 1 ]; then
    echo "FAILED: --trace to a full standard error: status $status" >&2
    failures=$((failures + 1))
fi
rm -f full.svg full.pdf full.png messages.txt readings.csv
[ "$failures" -eq 0 ]
