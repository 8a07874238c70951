#!/usr/bin/env bash
# The manual's PDF builder on a small manual: chapters on pages of their own, a table of
# contents with the right page numbers, the screenshot embedded at full resolution under its
# caption, and a refusal (with no PDF left behind) when a picture is missing.
set -uo pipefail
tool=$1
fixture=$(dirname "$0")/fixture
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

"$tool" --output "$work/manual.pdf" --title "Test Manual" --subtitle "Version 9" \
  --images "$fixture" "$fixture/01-one.md" "$fixture/02-two.md" || { echo "FAIL: builder exit $?"; exit 1; }
pdftotext -layout "$work/manual.pdf" "$work/manual.txt"
info=$(pdfinfo "$work/manual.pdf")

check "title in the PDF's metadata" grep -q '^Title: *Test Manual$' <<<"$info"
# Title page, contents, chapter one (one page), chapter two.
check "four pages" grep -q '^Pages: *4$' <<<"$info"
check "contents name chapter one on page 3" grep -Eq '^ *Chapter One +3$' "$work/manual.txt"
check "contents name the section on page 3" grep -Eq '^ *A section +3$' "$work/manual.txt"
check "contents name chapter two on page 4" grep -Eq '^ *Chapter Two +4$' "$work/manual.txt"
check "chapter two on the last page" \
  bash -c "pdftotext -f 4 -l 4 '$work/manual.pdf' - | grep -q 'The second chapter starts'"
check "caption under the picture" grep -q 'A window of the program' "$work/manual.txt"
check "table and code text kept" grep -q 'LPT1=simulator' "$work/manual.txt"
check "table cell kept" grep -q 'The parallel port' "$work/manual.txt"
check "no ligatures: words stay searchable" grep -q "Body text of the first chapter" "$work/manual.txt"
check "screenshot embedded at full resolution" \
  bash -c "pdfimages -list '$work/manual.pdf' | awk 'NR > 2 { print \$4, \$5 }' | grep -qx '240 120'"
check "page numbers at the foot" bash -c "pdftotext -f 2 -l 2 -layout '$work/manual.pdf' - | grep -Eq 'Test Manual +2'"

rm -f "$work/manual.pdf"
if "$tool" --output "$work/manual.pdf" --images "$work" "$fixture/01-one.md" 2>"$work/err"; then
  echo "FAIL: a missing picture was accepted"; failures=$((failures + 1))
else
  check "a missing picture is named" grep -q 'window.png' "$work/err"
  check "no PDF after a missing picture" test ! -e "$work/manual.pdf"
fi
if "$tool" --output "$work/manual.pdf" --images "$work" --drop-missing-images "$fixture/01-one.md" 2>"$work/err"; then
  check "a dropped picture is named" grep -q 'warning: .*window.png' "$work/err"
  check "a dropped picture leaves no caption" \
    bash -c "! pdftotext '$work/manual.pdf' - | grep -q 'A window of the program'"
else
  echo "FAIL: --drop-missing-images refused the manual"; failures=$((failures + 1))
fi
if "$tool" --output "$work/manual.pdf" "$work/no-such-chapter.md" 2>/dev/null; then
  echo "FAIL: a missing chapter was accepted"; failures=$((failures + 1))
fi

[ "$failures" -eq 0 ]
