#!/usr/bin/env bash
# lumvexctl report and copy on a small data file made here.
set -euo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# put RECORD OFFSET TEXT: the record with TEXT written at OFFSET.
put() { local r=$1 o=$2 t=$3; printf '%s' "${r:0:o}${t}${r:o+${#t}}"; }
blank() { printf '%s%274s' "$1" ''; }

h=$(blank H); h=$(put "$h" 1 "AB12    KORDEX"); h=$(put "$h" 39 "WATER WORKS"); h=$(put "$h" 79 "05012000")
i=$(blank I); i=$(put "$i" 39 "05012000093015SOMCHAI"); i=$(put "$i" 103 "1234567890")
i=$(put "$i" 172 "CSH"); i=$(put "$i" 182 "0000000123456")
t=$(blank T); t=$(put "$t" 39 "0000000123456")
{
  printf '%s\r\n' "$h"
  for n in $(seq 1 42); do printf '%s\r\n' "$i"; done
  printf '%s\r\n' "$t"
} > kordex.005

"$tool" --help | grep "lumvexctl report DATAFILE" > /dev/null || fail "--help does not describe report"

mkdir out
[ "$("$tool" report kordex.005 --view --dir out)" = 2 ] || fail "last page number is not 2"
[ "$(stat -c %s out/prnrep.txt)" -eq $((2 * 7980)) ] || fail "prnrep.txt is not two pages"
[ "$(stat -c %s out/report.txt)" -eq $(((7 + 42 + 7 + 19) * 133)) ] || fail "report.txt size $(stat -c %s out/report.txt)"
head -c 133 out/prnrep.txt | grep "^DCIFB410 .*BILL PAYMENT BY COMPANY REPORT .*AS AT 05/01/2000 .*PAGE    1 " \
  > /dev/null || fail "first header line: $(head -c 133 out/prnrep.txt)"
grep -q "TOTAL TRANS. CASH .*    42   ITEM   AMOUNT          51,851.52   BAHT" out/report.txt || fail "cash total"

# Without --view only prnrep.txt, in the working directory.
"$tool" report kordex.005 > page
[ "$(cat page)" = 2 ] && [ -f prnrep.txt ] && [ ! -f report.txt ] || fail "print mode output"

"$tool" copy kordex.005 fixed.dat || fail "copy exit $?"
[ "$(stat -c %s fixed.dat)" -eq $((44 * 258)) ] || fail "copy size $(stat -c %s fixed.dat)"
[ "$(head -c 258 fixed.dat | tail -c 2 | od -An -c | tr -d ' ')" = '\r\n' ] || fail "record end"

set +e
"$tool" report missing.005 > /dev/null 2> err; status=$?
set -e
[ "$status" -eq 1 ] && [ "$(cat err)" = "Can't open file missing.005" ] || fail "missing file: $status $(cat err)"
set +e; "$tool" copy kordex.005 > /dev/null 2>&1; status=$?; set -e
[ "$status" -eq 2 ] || fail "copy without DEST exit $status"
echo "report cli ok"
