#!/usr/bin/env bash
# On a full disk (a small tmpfs, mounted in a mount namespace of the test's
# own): catalogue save, import, report generation and download (received,
# work and data file) fail with a message, leave download.log loadable and
# unchanged, and leave no partial file under a final name.
set -euo pipefail
if [ -z "${LUMVEX_IN_MOUNT_NAMESPACE:-}" ]; then
  if unshare -rm true 2> /dev/null; then
    LUMVEX_IN_MOUNT_NAMESPACE=1 exec unshare -rm "$0" "$@"
  fi
  echo "SKIP: no mount namespace here, so no small disk to fill"
  exit 77
fi
tool=$1
hostsim=$2
demo_store=$3
work=$(mktemp -d)
disk=$work/disk
# shellcheck source=hostsim_support.sh
. "$(dirname "$0")/hostsim_support.sh"
cleanup() {
  stop_host
  cd /
  umount "$disk" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir "$disk"
mount -t tmpfs -o size=1m tmpfs "$disk" || { echo "SKIP: a tmpfs can't be mounted here"; exit 77; }

free_bytes() { df --output=avail -B1 "$disk" | tail -n 1 | tr -d ' '; }
# Fills the small disk until about `left` bytes are free.
leave() {
  rm -f "$disk/filler"
  local fill=$(($(free_bytes) - $1))
  if [ "$fill" -gt 0 ]; then head -c "$fill" /dev/zero > "$disk/filler" 2> /dev/null || true; fi
}
# The command fails and says why.
refused() {
  if "$tool" "$@" > "$work/out" 2> "$work/err" < "$work/password"; then fail "$* succeeded on a full disk"; fi
  [ -s "$work/err" ] || fail "$* failed without a message"
}
# download.log as before, still loadable; no partial file under a final name.
unchanged() {
  cmp -s download.log "$work/before.log" || fail "$1 changed download.log: $(cat download.log)"
  "$tool" list > /dev/null 2> "$work/list.err" || fail "after $1 the store does not load: $(cat "$work/list.err")"
  ! ls ./*.part abc01/*.part > /dev/null 2>&1 || fail "$1 left a .part file: $(ls ./*.part abc01/*.part 2> /dev/null)"
}

"$demo_store" "$work/demo" > /dev/null
store=$disk/store
mkdir "$store"
cd "$store"
"$tool" add-code abc01 2> /dev/null
printf '2050123456 1 2 ATDT   021234567           x\n' > config.dat
printf '654321\n' > "$work/password"
cp download.log "$work/before.log"

# The catalogue's save.
leave 0
refused add-code c1
unchanged add-code

# Import of an 18 KB bill with 8 KB free.
bill=$work/demo/abc01/kordex.041
leave 8192
refused import --code abc01 "$bill"
[ ! -e abc01/kordex.041 ] || fail "import left abc01/kordex.041"
unchanged import

# Report generation into a directory on the small disk.
mkdir "$disk/rep"
leave 8192
if "$tool" report "$bill" --dir "$disk/rep" > "$work/out" 2> "$work/err"; then fail "report succeeded on a full disk"; fi
[ -s "$work/err" ] || fail "report failed without a message"
for f in prnrep.txt report.txt; do
  [ ! -e "$disk/rep/$f" ] || fail "report left a partial $f: $(stat -c %s "$disk/rep/$f") bytes"
done
unchanged report

# Download: the received file, the work file and the data file in turn meet
# the full disk. The sizes come from a download into a roomy store.
year=$(date +%Y)
mkdir -p "$work/host/abc01" "$work/roomy/abc01"
echo "abc01 123456 654321" > "$work/host/accounts"
awk 'BEGIN { x = 7; for (i = 0; i < 1500; i++) { x = (x * 1103515245 + 12345) % 2147483648; printf "I%06d%010d TH %05d\r\n", i, x, x % 65521 } }' \
  > "$work/host/abc01/0501$year.dat"
start_host
download=(download --code abc01 --staff 123456 --date "0501$year")
(cd "$work/roomy" && cp "$store/download.log" "$store/config.dat" . && "$tool" "${download[@]}" < "$work/password" > /dev/null 2>&1) \
  || fail "the download into a roomy store failed"
received=$(stat -c %s "$work/roomy/abc01/kordex\$\$.005")
data=$(stat -c %s "$work/roomy/abc01/kordex.005")

for left in 0 $((received + 4096)) $((2 * received + 8192)); do
  rm -f 'abc01/kordex$$.005'
  leave "$left"
  refused "${download[@]}"
  echo "with $left bytes free: $(grep -v "^  " "$work/err" | tr "\n" " ")" >&2
  [ ! -e abc01/kordex.005 ] || fail "a download with $left bytes free left a data file"
  [ ! -e 'abc01/kordex$$.005.bad' ] || fail "a sound received file was set aside for want of disk"
  unchanged "download with $left bytes free"
done
[ "$(stat -c %s 'abc01/kordex$$.005')" -eq "$received" ] || fail "the received file is not kept whole"

# With room again, the kept received file is uncompressed and recorded.
rm -f "$disk/filler"
"$tool" "${download[@]}" < "$work/password" > /dev/null 2> "$work/err" || fail "download with room: $(cat "$work/err")"
[ "$(stat -c %s abc01/kordex.005)" -eq "$data" ] || fail "the data file is not whole"
grep -q "^kordex.005,abc01," download.log || fail "the download was not recorded"
echo "full disk ok: catalogue save, import, report, download at 0, $((received + 4096)) and $((2 * received + 8192)) bytes free"
