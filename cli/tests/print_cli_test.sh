#!/usr/bin/env bash
# lumvexctl print and export on a generated store: the PDF's pages, texts,
# fonts and boxes on A4 and Letter, and the CSV of the same file.
set -euo pipefail
tool=$1
demo_store=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
# Readers that take all their input: one that stops early (grep -q, head)
# would fail the pipeline under pipefail whenever the writer is still writing.
holds() { grep -e "$1" > /dev/null; }
export QT_QPA_PLATFORM=offscreen

"$demo_store" store > /dev/null
data=store/abc01/kordex.041
pages=$("$tool" print "$data" --pdf a4.pdf 2> err) || fail "print exit $?: $(cat err)"
[ "$pages" -ge 2 ] || fail "only $pages pages"
pdfinfo a4.pdf | holds "^Pages: *$pages$" || fail "PDF pages differ from the last page number $pages"
pdfinfo a4.pdf | holds "A4" || fail "not A4"
"$tool" print "$data" --pdf letter.pdf --paper Letter --file-name renamed.041 > /dev/null 2> err || fail "Letter: $(cat err)"
pdfinfo letter.pdf | holds "letter" || fail "not Letter"

# Poppler reads both files without a complaint.
for pdf in a4.pdf letter.pdf; do
  pdftotext "$pdf" /dev/null 2> poppler.err
  [ ! -s poppler.err ] || fail "$pdf: $(cat poppler.err)"
done

# Every font is embedded.
if pdffonts a4.pdf | tail -n +3 | awk '$(NF-4) != "yes"' | holds .; then fail "a font is not embedded"; fi

# Each page: title, footer with its numbers, and every body line of its prnrep.txt block.
mkdir rep
"$tool" report "$data" --dir rep > /dev/null
# Text extraction gives back the Thai marks drawn with a positioned variant
# of their glyph (a private-use character of the font) out of place or not
# at all, and sara am as the nikhahit and sara aa it is drawn with: compare
# the base letters, in order.
squeeze() {
  tr -d ' \t\f\r\n' | LC_ALL=C sed 's/\xe0\xb8\xb3/\xe0\xb8\xb2/g; s/\xe0\xb8[\xb1\xb4-\xba]//g; s/\xe0\xb9[\x87-\x8e]//g; s/\xef\x9c[\x80-\x9f]//g'
}
for p in $(seq 1 "$pages"); do
  pdftotext -layout -f "$p" -l "$p" a4.pdf page.txt
  grep -q "Download Bill Payment" page.txt || fail "page $p: no title"
  grep -q "File Name is kordex.041 .*Page $p of $pages" page.txt || fail "page $p: footer"
  text=$(squeeze < page.txt)
  tail -c +$(((p - 1) * 7980 + 1)) rep/prnrep.txt | sed -n 1,52p | iconv -f TIS-620 -t UTF-8 > block.txt
  while IFS= read -r line; do
    want=$(printf '%s\n' "$line" | squeeze)
    [ -z "$want" ] || grep -qF -- "$want" <<< "$text" || fail "page $p lacks: $line"
  done < block.txt
done
pdftotext -layout -f 1 -l 1 letter.pdf - | holds "File Name is renamed.041 .*Page 1 of $pages" || fail "--file-name"

# Every word lies inside its page, on both papers.
for pdf in a4.pdf letter.pdf; do
  outside=$(pdftotext -bbox "$pdf" - | awk '
    /<page / { match($0, /width="[0-9.]+"/); w = substr($0, RSTART + 7, RLENGTH - 8) + 0
               match($0, /height="[0-9.]+"/); h = substr($0, RSTART + 8, RLENGTH - 9) + 0 }
    /<word / { match($0, /xMax="[0-9.]+"/); x = substr($0, RSTART + 6, RLENGTH - 7) + 0
               match($0, /yMax="[0-9.]+"/); y = substr($0, RSTART + 6, RLENGTH - 7) + 0
               if (x > w || y > h) n++ }
    END { print n + 0 }')
  [ "$outside" -eq 0 ] || fail "$pdf: $outside words outside the page"
done

# The CSV: one row per item, Thai names in UTF-8 as the PDF shows them.
"$tool" export "$data" --csv items.csv 2> err || fail "export: $(cat err)"
[ "$(($(wc -l < items.csv) - 1))" -eq "$(grep -c '^I' "$data")" ] || fail "CSV rows differ from I records"
sed -n 1p items.csv | holds "^company_code,payment_date,payment_time,customer_number,customer_name," || fail "header"
name=$(sed -n 2p items.csv | cut -d, -f5 | cut -d' ' -f1)
want=$(printf '%s\n' "$name" | squeeze)
[ -n "$want" ] && pdftotext a4.pdf - | squeeze | grep -F -- "$want" > /dev/null || fail "the first name $name is not in the PDF"

set +e
"$tool" print "$data" > /dev/null 2>&1; [ $? -eq 2 ] || fail "print without output: not a usage error"
"$tool" print "$data" --printer no-such-queue > /dev/null 2>&1; [ $? -eq 1 ] || fail "unknown printer"
"$tool" print missing.dat --pdf x.pdf > /dev/null 2>&1; [ $? -eq 1 ] || fail "missing data file"
set -e
echo "print cli ok"
