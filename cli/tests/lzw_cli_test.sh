#!/usr/bin/env bash
# lumvexctl decode and uncompress on tiny hand-made files.
set -euo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { set +e; "$tool" "$@" > out.txt 2> err.txt; status=$?; set -e; }

"$tool" --help | grep "lumvexctl uncompress RECEIVED OUT" > /dev/null || fail "--help does not describe uncompress"

# The codes 'a' (0x61) and 256, 9 bits each.
printf '\x30\xc0\x00' > a.lzw
run decode a.lzw a.out
[ "$status" -eq 0 ] && [ "$(cat a.out)" = a ] && [ ! -s err.txt ] || fail "decode: $status $(cat err.txt)"

printf '\x80\x00' > end.lzw
run decode end.lzw end.out
[ "$status" -eq 0 ] && [ -f end.out ] && [ ! -s end.out ] || fail "end code only: $status"

printf '\x30\xc0' > cut.lzw
echo older > cut.out
run decode cut.lzw cut.out
[ "$status" -eq 4 ] || fail "cut stream exit $status"
[ "$(cat err.txt)" = "Fatal error in InputBit!" ] || fail "cut stream: $(cat err.txt)"
[ "$(cat cut.out)" = older ] || fail "a failed decode replaced the older file"

run decode missing.lzw x.out
[ "$status" -eq 2 ] && [ "$(cat err.txt)" = "Error opening missing.lzw for input" ] || fail "missing: $status $(cat err.txt)"
run decode a.lzw no-dir/x.out
[ "$status" -eq 3 ] && [ "$(cat err.txt)" = "Error opening no-dir/x.out for output" ] || fail "no dir: $status"

# The same stream as a received file: its 0x00 removed and listed for restore.
printf '000000003\x30\xc0 0000000003' > 'kordex$$.005'
run uncompress 'kordex$$.005' kordex.005
[ "$status" -eq 0 ] && [ "$(cat kordex.005)" = a ] || fail "uncompress: $status $(cat err.txt)"
[ ! -e kordex.005.work ] || fail "work file left after success"

run uncompress 'kordex$$.006' kordex.006
[ "$status" -eq 1 ] && [ "$(cat err.txt)" = 'ไม่พบไฟล์ kordex$$.006' ] || fail "missing received: $(cat err.txt)"

printf '000000000' > empty.rcv
run uncompress empty.rcv empty.out
[ "$status" -eq 1 ] && [ "$(cat err.txt)" = "Fatal error in InputBit!" ] || fail "empty payload: $(cat err.txt)"
[ -e empty.out.work ] && [ ! -e empty.out ] || fail "empty payload files"
echo "lzw cli ok"
