#!/usr/bin/env bash
# lumvexctl download and passwd as cron would run them, without a host: the
# arguments, the password lines and the failures before and at the connect.
set -euo pipefail
tool=$1
store=$(mktemp -d)
trap 'rm -rf "$store"' EXIT
cd "$store"
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { set +e; "$tool" "$@" > out 2> err < "${input:-/dev/null}"; status=$?; set -e; }

printf '1\r\nabc01\r\n0\r\n' > download.log
mkdir abc01
year=$(date +%Y)

# Wrong arguments: usage, exit 2, nothing read or dialled.
input= run download --code abc01 --staff 123456
[ "$status" -eq 2 ] || fail "missing --date exit $status"
grep -q "Usage: lumvexctl download --code CODE --staff ID --date DDMMYYYY" err || fail "usage: $(cat err)"
input= run passwd --code abc01 --staff 123456 --date 01012000
[ "$status" -eq 2 ] || fail "passwd with --date exit $status"

# The password comes from standard input only.
input=/dev/null run download --code abc01 --staff 123456 --date "0101$year"
[ "$status" -eq 2 ] || fail "no password exit $status"
grep -q "password line is missing" err || fail "no password: $(cat err)"

# Entries are checked before anything is dialled.
printf '654321\n' > pw
input=pw run download --code nosuch --staff 123456 --date "0101$year"
[ "$status" -eq 1 ] && [ "$(cat err)" = "Please Select your Service Code." ] || fail "unknown code: $status $(cat err)"
input=pw run download --code abc01 --staff 123456 --date "3104$year"
[ "$status" -eq 1 ] && [ "$(cat err)" = "Invalid Date." ] || fail "bad date: $status $(cat err)"
printf '\n' > empty
input=empty run download --code abc01 --staff 123456 --date "0101$year"
[ "$status" -eq 1 ] && [ "$(cat err)" = "Please Check your Password." ] || fail "empty password: $(cat err)"
printf '111111\n111111\n111111\n' > same
input=same run passwd --code abc01 --staff 123456
[ "$status" -eq 1 ] && [ "$(cat err)" = "New Password is same as Old Password. " ] || fail "same password: $(cat err)"

# No config.dat: the connect fails with its message and the status.
input=pw run download --code abc01 --staff 123456 --date "0101$year"
[ "$status" -eq 1 ] || fail "no config exit $status"
[ "$(cat err)" = $'Are you sure ?\nCan\'t open file config.dat\n  Can\'t Connect to ORQ\n  Begin DisConnect...' ] ||
  fail "no config: $(cat err)"

# A port that cannot be opened.
printf '2050123456 2 1 ATDT   021234567           x\n' > config.dat
export PADX25_COM2="$store/no-such-device"
printf '111111\n222222\n222222\n' > change
input=change run passwd --code abc01 --staff 123456
[ "$status" -eq 1 ] || fail "bad port exit $status"
grep -qx "Open Port COM2 : Speed 9600 failed." err || fail "bad port: $(cat err)"
grep -qx "  Can't Connect to ORQ" err || fail "bad port status: $(cat err)"
[ ! -e "abc01/kordex\$\$.001" ] || fail "a partial file appeared"
echo "link cli ok"
