#!/usr/bin/env bash
# Store commands killed (SIGKILL) at random moments: after every kill the
# catalogue is the one from before the command or the one after it, never
# torn or missing; the next command works; no partial data file stands
# under a final name or in the catalogue.
set -euo pipefail
tool=$1
demo_store=$2
kills=${3:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL after $n commands: $*" >&2; exit 1; }
n=0

"$demo_store" demo > /dev/null
bills=("$work"/demo/abc01/kordex.*)
mkdir store expected
cd store
"$tool" add-code abc01 2> /dev/null

# One command of the four, picked at random.
pick() {
  local code=c$((RANDOM % 3))
  local bill=${bills[RANDOM % ${#bills[@]}]}
  case $((RANDOM % 4)) in
    0) command=(add-code "$code") ;;
    1) command=(delete-code "$code") ;;
    2) command=(import --code abc01 "$bill") ;;
    3) command=(delete --code abc01 "$(basename "$bill")") ;;
  esac
}

# Every catalogued Service Code has its directory; every catalogued file is
# whole: its size is the catalogue's and its bytes those of its bill.
check_files() {
  local line name code size count
  count=$(sed -n 1p download.log | tr -d '\r')
  while IFS= read -r code; do
    code=${code%$'\r'}
    [ -d "$code" ] || fail "Service Code $code has no directory after ${command[*]}"
  done < <(sed -n "2,$((count + 1))p" download.log)
  while IFS=, read -r name code _ _ _ size; do
    size=${size%$'\r'}
    [ -f "$code/$name" ] || fail "catalogued $code/$name is missing after ${command[*]}"
    [ "$(stat -c %s "$code/$name")" = "$size" ] || fail "$code/$name is not whole after ${command[*]}"
    cmp -s "$code/$name" "$work/demo/abc01/$name" || fail "$code/$name differs from its bill"
  done < <(tail -n +"$((count + 3))" download.log)
  for name in abc01/kordex.*; do
    [ -e "$name" ] || continue
    case $name in *.part) continue ;; esac
    cmp -s "$name" "$work/demo/abc01/$(basename "$name")" || fail "$name under its final name is partial"
  done
}

killed=0
for n in $(seq 1 "$kills"); do
  pick
  # The command run to its end on a copy gives the catalogue after it.
  rm -rf "$work/expected" && cp -a "$work/store" "$work/expected"
  (cd "$work/expected" && "$tool" "${command[@]}" > /dev/null 2>&1) || true
  cp download.log "$work/before.log"

  "$tool" "${command[@]}" > /dev/null 2>&1 &
  pid=$!
  sleep "$(printf "0.%03d" $((RANDOM % 20)))"
  kill -9 "$pid" 2> /dev/null && killed=$((killed + 1))
  wait "$pid" 2> /dev/null || true

  [ -f download.log ] || fail "download.log is missing after ${command[*]}"
  cmp -s download.log "$work/before.log" || cmp -s download.log "$work/expected/download.log" \
    || fail "download.log is neither before nor after ${command[*]}: $(cat download.log)"
  "$tool" list > /dev/null 2> "$work/list.err" || fail "list after ${command[*]}: $(cat "$work/list.err")"
  check_files
done
echo "kill test ok: $kills commands, $killed killed while running"
