#!/usr/bin/env bash
# The store commands of lumvexctl in a scratch store: what each changes on
# disk and in download.log, its refusals and its exit status.
set -euo pipefail
tool=$1
store=$(mktemp -d)
trap 'rm -rf "$store"' EXIT
cd "$store"
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { set +e; "$tool" "$@" > out 2> err; status=$?; set -e; }
expect() { # STATUS DESCRIPTION
  [ "$status" -eq "$1" ] || fail "$2: exit $status, stderr: $(cat err)"
}
header() { # CODE: a header record naming CODE, bill date 05/01/2000
  printf 'H%-8sKORDEX%24s%-40s05012000\r\n' "$1" "" "ACME CO"
}

"$tool" --version | grep -x "lumvexctl [0-9.]*" > /dev/null || fail "--version: $("$tool" --version)"

# add-code: lower case, its directory, then download.log.
run add-code ABC01
expect 0 "add-code"
[ -d abc01 ] || fail "no directory abc01"
[ "$(cat download.log)" = $'1\r\nabc01\r\n0\r' ] || fail "download.log after add: $(od -c download.log)"
run add-code abc01
expect 1 "second add-code"
[ "$(cat err)" = "This Service Code is already exist" ] || fail "duplicate: $(cat err)"
run add-code "a/b"
expect 1 "add-code a/b"
[ ! -e a ] || fail "a refused name left something behind"
run add-code
expect 2 "add-code without a code"
touch stray
run add-code stray
expect 1 "add-code over a file"
[ -f stray ] || fail "the file in the way was touched"
for i in 2 3 4 5 6 7 8 9 10; do run add-code "c$i"; expect 0 "add-code c$i"; done
run add-code eleven
expect 1 "eleventh add-code"
[ "$(cat err)" = "Number of service code must be between 1 and 10" ] || fail "limit: $(cat err)"
[ -d eleven ] || fail "the directory of a refused eleventh stays, as the window leaves it"
! grep -q eleven download.log || fail "the eleventh was recorded"

# import: the current Service Code's directory, lower-case name, header checked.
mkdir outside
{ header ABC01; printf 'I%s\r\n' "$(printf '%0200d' 7)"; } > outside/KORDEX.005
run import --code abc01 outside/KORDEX.005
expect 0 "import"
cmp -s outside/KORDEX.005 abc01/kordex.005 || fail "imported copy differs"
size=$(stat -c %s abc01/kordex.005)
grep -q "^kordex.005,abc01,Download Bill Payment,05/01/2000,[0-9/]*,$size"$'\r'"$" download.log ||
  fail "import not recorded: $(cat download.log)"
run import --code abc01 outside/KORDEX.005
expect 1 "second import"
[ "$(cat err)" = "This file are already in abc01" ] || fail "duplicate import: $(cat err)"
header XYZ > outside/kordex.006
run import --code abc01 outside/kordex.006
expect 1 "import of another Service Code's file"
[ "$(cat err)" = "Service code in file kordex.006 is not equal abc01" ] || fail "header refusal: $(cat err)"
[ ! -e abc01/kordex.006 ] && [ ! -e abc01/kordex.006.part ] || fail "a refused import left a file"
run import --code nosuch outside/kordex.006
expect 1 "import into an unknown Service Code"
run import outside/kordex.006
expect 2 "import without --code"

# show: the six fields.
run show --code abc01 kordex.005
expect 0 "show"
grep -qx "File Name: kordex.005" out && grep -qx "Service Code: abc01" out && grep -qx "Date Prepare: 05/01/2000" out &&
  grep -qx "File Size: $size" out || fail "show printed: $(cat out)"
run show --code abc01 kordex.404
expect 1 "show of a missing file"

# delete-code refuses a Service Code with files, without asking.
run delete-code abc01
expect 1 "delete-code of a full one"
[ "$(cat err)" = "This service code is not empty" ] || fail "not empty: $(cat err)"
grep -q "^abc01"$'\r'"$" download.log || fail "abc01 went"

# delete: the data file, its received file, the entry.
touch 'abc01/kordex$$.005'
mkdir 'abc01/kordex$$.006'  # a directory of the received file's name is no file: it stays
run delete --code abc01 kordex.005
expect 0 "delete"
[ "$(cat err)" = "Delete Completed ..." ] || fail "delete said: $(cat err)"
[ ! -e abc01/kordex.005 ] && [ ! -e 'abc01/kordex$$.005' ] || fail "delete left the files"
! grep -q "^kordex.005," download.log || fail "the entry stayed"
run delete --code abc01 kordex.005
expect 1 "second delete"

# delete-code: an empty directory goes; a directory that holds something stays.
run delete-code c2
expect 0 "delete-code c2"
[ ! -e c2 ] || fail "empty directory c2 stayed"
touch c3/keep
run delete-code c3
expect 0 "delete-code c3"
[ -f c3/keep ] || fail "a directory with files was removed"
! grep -q "^c3"$'\r'"$" download.log || fail "c3 still in download.log"
run delete-code c2
expect 1 "delete-code of a deleted code"

# device: print, then rewrite only the changed columns.
run device
expect 1 "device without config.dat"
[ "$(cat err)" = "Can't open file config.dat" ] || fail "no config: $(cat err)"
printf '2050123456 1 1 ATDT   021234567           x\n' > config.dat
cp config.dat config.before
run device
expect 0 "device"
[ "$(cat out)" = $'Port: COM1\nSpeed: 9600\nPhone: 021234567' ] || fail "device printed: $(cat out)"
run device --speed 14400
expect 0 "device --speed"
[ "$(cat err)" = "Set Device Complete ..." ] || fail "device --speed said: $(cat err)"
changed=$(cmp -l config.before config.dat | awk '{ print $1 }' | tr '\n' ' ' || true)
[ "$changed" = "14 " ] || fail "bytes changed at $changed, not only column 13"
run device --port 3 --phone 12345678901234567890
expect 0 "device --port --phone"
[ "$(head -c 44 config.dat)" = "2050123456 3 2 ATDT   12345678901234567890x" ] || fail "config.dat: $(cat config.dat)"
run device
[ "$(cat out)" = $'Port: COM3\nSpeed: 14400\nPhone: 12345678901234567890' ] || fail "20-digit number read back: $(cat out)"
for bad in "--port 5" "--speed 2400" "--port"; do
  # shellcheck disable=SC2086
  run device $bad
  expect 2 "device $bad"
done
echo "store cli ok"
