#!/usr/bin/env bash
# Runs lumvexctl as a user would, in a scratch store.
set -euo pipefail
tool=$1
store=$(mktemp -d)
trap 'rm -rf "$store"' EXIT
cd "$store"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tool" --help | grep "lumvexctl list" > /dev/null || fail "--help does not describe list"

# First run: the message, exit 1.
set +e; out=$("$tool" list 2>err); status=$?; set -e
[ "$status" -eq 1 ] || fail "first run exit $status"
[ "$(cat err)" = "The First Times!. Please Add Service Code before Download" ] || fail "first run message: $(cat err)"

printf '2\r\nabc01\r\nxyz02\r\n3\r\nkordex.005,abc01,Download Bill Payment,05/01/2000,06/01/2000,640\r\nkordex.006,zzz,Download Bill Payment,06/01/2000,07/01/2000,1\r\nkordex.007,abc01,Download Bill Payment,07/01/2000,08/01/2000,99\r\n' > download.log
"$tool" list > out 2> err || fail "list exit $?"
expected=$'Service Code \'abc01\' : 2 files\nkordex.005,abc01,Download Bill Payment,05/01/2000,06/01/2000,640\nkordex.007,abc01,Download Bill Payment,07/01/2000,08/01/2000,99\nService Code \'xyz02\' : 0 files'
[ "$(cat out)" = "$expected" ] || fail "list printed: $(cat out)"
[ ! -s err ] || fail "unexpected messages: $(cat err)"

printf '0\r\n0\r\n' > download.log
set +e; "$tool" list > out 2> err; status=$?; set -e
[ "$status" -eq 1 ] || fail "zero codes exit $status"
[ "$(cat err)" = $'Number of service code must be between 1 and 10\nParse the file fail.' ] || fail "zero codes: $(cat err)"
echo "cli ok"
