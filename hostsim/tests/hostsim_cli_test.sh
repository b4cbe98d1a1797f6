#!/usr/bin/env bash
# hostsim's command line: help, and clear refusals of bad arguments.
set -u
hostsim=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$hostsim" --help) || fail "--help exits non-zero"
grep -q '^Usage: hostsim' <<<"$out" || fail "--help has no usage line"
grep -q 'DIR/accounts' <<<"$out" || fail "--help does not describe the data directory"

"$hostsim" --no-such-option /tmp >/dev/null 2>&1; [ $? -eq 2 ] || fail "unknown option not refused with 2"
"$hostsim" --reply-delay soon /tmp >/dev/null 2>&1; [ $? -eq 2 ] || fail "bad number not refused with 2"
"$hostsim" >/dev/null 2>&1; [ $? -eq 2 ] || fail "missing directory not refused with 2"
err=$("$hostsim" /nonexistent/dir 2>&1 >/dev/null); [ $? -eq 1 ] || fail "missing data directory not refused with 1"
grep -q 'not a directory' <<<"$err" || fail "no message for a missing data directory: $err"
echo "hostsim cli ok"
