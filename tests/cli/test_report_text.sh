#!/bin/sh
# --report: the PDF's text, as pdftotext reads it, for a small run by both methods: the
# identification given, the readings, each method's result and the verdict of the one that
# decides, the cross-plot and the page numbers. (pdftotext keeps the font's ligatures: fi is one
# letter, so "deficient" is matched as "de.*cient".)
#   test_report_text.sh PROGRAM FIXTURES WORKDIR
program=$1
fixtures=$2
workdir=$3
report="$workdir/test_report.pdf"
rm -f "$report"
"$program" --acceptance --defaults --slope 0.6 --maker-curves "$fixtures/maker_curves.csv" \
    --totals --report "$report" --paper letter --title "Acceptance test of CT-2" \
    --field "Tower=CT-2, two cells" --field "Tested by=R. Ostrander" \
    "$fixtures/acceptance_tests.csv" >/dev/null 2>"$workdir/test_report.err" || {
    echo "FAILED: status $?" >&2
    cat "$workdir/test_report.err" >&2
    exit 1
}
text=$(pdftotext -layout "$report" -) || exit 1
failures=0
for expected in "Acceptance test of CT-2" "CT-2, two cells" "R. Ostrander" \
    "Maker's curves .*99.5 %.*decides" "Characteristic curve (m = 0.60) .*98.8 %" \
    "over 4 readings" "Verdict: de.*cient: capability 99.5 %" "Page 1 of" \
    "Cross-plot of the maker.s curves"; do
    if ! printf '%s\n' "$text" | tr -d '\f' | grep -q -- "$expected"; then
        echo "FAILED: the report has no \"$expected\"" >&2
        failures=$((failures + 1))
    fi
done
# Letter is 612 x 792 points.
if ! pdfinfo "$report" | grep -q "612 x 792"; then
    echo "FAILED: --paper letter gave another size" >&2
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
