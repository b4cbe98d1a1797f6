#!/usr/bin/env bash
# libpadx25 exports the nine operations under their C names and nothing else.
set -euo pipefail
expected="BindPadX25 InitPadX25 LinkPadX25 OpenPadX25 ShutPadX25 aStatPadX25 bStatPadX25 rpkt_padx25 spkt_padx25"
actual=$(nm -D --defined-only "$1" | awk '$2 ~ /^[TtWDdBb]$/ {print $3}' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
if [ "$actual" != "$expected" ]; then
  echo "FAIL: exported: $actual" >&2
  echo "      expected: $expected" >&2
  exit 1
fi
echo "exports ok"
