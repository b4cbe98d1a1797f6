#!/usr/bin/env bash
# lumvexctl download and passwd against hostsim on a pseudo-terminal, with
# no terminal of their own: fetch, resume, record, refuse, change password.
set -euo pipefail
tool=$1
hostsim=$2
work=$(mktemp -d)
# shellcheck source=hostsim_support.sh
. "$(dirname "$0")/hostsim_support.sh"
trap 'stop_host; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/store/err" ] && cat "$work/store/err" >&2; exit 1; }

year=$(date +%Y)
mkdir -p "$work/host/abc01" "$work/store/abc01"
echo "abc01 123456 654321" > "$work/host/accounts"
awk 'BEGIN { x = 7; for (i = 0; i < 150; i++) { x = (x * 1103515245 + 12345) % 2147483648; printf "I%06d%010d TH %05d\r\n", i, x, x % 65521 } }' \
  > "$work/host/abc01/0501$year.dat"
cp "$work/host/abc01/0501$year.dat" "$work/host/abc01/0601$year.dat"
cp "$work/host/abc01/0501$year.dat" "$work/host/abc01/0701$year.dat"
cd "$work/store"
printf '1\r\nabc01\r\n0\r\n' > download.log
printf '2050123456 1 2 ATDT   021234567           x\n' > config.dat

download() { # PASSWORD DATE
  set +e; printf '%s\n' "$1" | "$tool" download --code abc01 --staff 123456 --date "$2" > out 2> err; status=$?; set -e
}

# Every call drops after two blocks: the first try keeps its partial file,
# the next ones resume it until the file is whole and recorded.
start_host --hangup-after 2
download 654321 "0501$year"
[ "$status" -ne 0 ] || fail "a broken call reported success"
grep -qx "Read PadX25 failed." err || fail "no read failure"
[ "$(stat -c %s 'abc01/kordex$$.005')" -eq 1024 ] || fail "partial file not kept at 1024 bytes"
for _ in $(seq 1 20); do
  download 654321 "0501$year"
  [ "$status" -eq 0 ] && break
done
[ "$status" -eq 0 ] || fail "download never completed"
grep -qx "Download Completed ..." err || fail "no completion message"
grep -qx "  Completed ..." err || fail "the link was not taken down"
cmp -s abc01/kordex.005 "$work/host/abc01/0501$year.dat" || fail "data file differs from the host's"
size=$(stat -c %s abc01/kordex.005)
grep -q "^kordex.005,abc01,Download Bill Payment,05/01/$year,[0-9/]*,$size"$'\r'"$" download.log ||
  fail "not recorded: $(cat download.log)"

# With --retries the tool resumes by itself after each dropped call and
# records the file once.
set +e
printf '654321\n' | "$tool" download --code abc01 --staff 123456 --date "0701$year" --retries 20 --retry-wait 0 \
  > out 2> err
status=$?
set -e
[ "$status" -eq 0 ] || fail "retrying download exit $status"
[ "$(grep -c 'trying again in 0 s' err)" -ge 1 ] || fail "no retry announced"
[ "$(grep -c '^Download Completed ...$' err)" -eq 1 ] || fail "not completed exactly once"
cmp -s abc01/kordex.007 "$work/host/abc01/0701$year.dat" || fail "retried file differs from the host's"
[ "$(grep -c '^kordex.007,' download.log)" -eq 1 ] || fail "retried file not recorded once: $(cat download.log)"

# A refusal is not tried again.
set +e
printf '000000\n' | "$tool" download --code abc01 --staff 123456 --date "0601$year" --retries 3 --retry-wait 0 \
  > out 2> err
status=$?
set -e
[ "$status" -eq 1 ] || fail "refused download exit $status"
! grep -q "trying again" err || fail "a host refusal was tried again"

# The same date again replaces the entry.
start_host
download 654321 "0501$year"
[ "$status" -eq 0 ] || fail "second download exit $status"
"$tool" list > listing 2>/dev/null
[ "$(grep -c '^kordex.005,' listing)" -eq 1 ] || fail "entry not replaced: $(cat listing)"

# A size mismatch: partial file deleted, nothing recorded.
start_host --wrong-size
download 654321 "0601$year"
[ "$status" -ne 0 ] || fail "size mismatch reported success"
grep -qx "Receive data loss" err || fail "no data loss message"
[ ! -e 'abc01/kordex$$.006' ] || fail "partial file of a bad transfer kept"
! grep -q "^kordex.006," download.log || fail "a bad transfer was recorded"

# A password change, then a download with the new password.
start_host
set +e; printf '654321\n135790\n135790\n' | "$tool" passwd --code abc01 --staff 123456 > out 2> err; status=$?; set -e
[ "$status" -eq 0 ] || fail "passwd exit $status"
grep -qx "Change Password Completed ... " err || fail "no change-password completion"
download 654321 "0601$year"
[ "$status" -ne 0 ] && grep -qx "Invalid password" err || fail "old password still accepted"
download 135790 "0601$year"
[ "$status" -eq 0 ] || fail "new password refused"
cmp -s abc01/kordex.006 "$work/host/abc01/0601$year.dat" || fail "day 006 differs"
echo "link hostsim cli ok"
