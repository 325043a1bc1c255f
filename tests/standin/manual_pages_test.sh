#!/usr/bin/env bash
# The manual pages the build made from the help texts: each is titled and
# named by its own command (what whatis and apropos index it by), keeps the
# help's characters beyond ASCII, renders them, and names every other page
# under SEE ALSO.
# Usage: manual_pages_test.sh MAN1_DIR
set -euo pipefail
dir=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
pages=(orvelk orvelk-encode orvelk-place orvelk-batch orvelk-replay orvelk-info orvelk-about)

for page in "${pages[@]}"; do
  file=$dir/$page.1
  [ -s "$file" ] || fail "$page.1 was not made"
  title=$(grep '^\.TH ' "$file")
  [[ $title == ".TH ${page^^} \"1\" "* ]] || fail "$page.1 is titled: $title"
  if command -v lexgrog >/dev/null; then
    name=$(lexgrog "$file")
    [[ $name == "$file: \"$page - "* ]] || fail "$page.1 is indexed as: $name"
  else
    grep -q "^$page \\\\- " "$file" || fail "$page.1 does not name $page"
  fi
  see_also=$(sed -n '/^\.SH "SEE ALSO"/,/^\.SH /p' "$file")
  for other in "${pages[@]}"; do
    [ "$other" = "$page" ] && continue
    grep -qx "\.BR $other (1),\?" <<<"$see_also" || fail "$page.1 does not name $other(1) under SEE ALSO"
  done
done

# The help texts name "é" among the characters code page 932 lacks.
for page in orvelk-encode orvelk-place orvelk-batch; do
  grep -q 'lacks (é, emoji)' "$dir/$page.1" || fail "$page.1 lost the help's 'é': $(grep -a 'lacks (' "$dir/$page.1")"
done
if command -v man >/dev/null; then
  rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$dir/orvelk-encode.1" 2>&1)
  grep -q 'lacks (é, emoji)' <<<"$rendered" || fail "man -l does not render the 'é': $rendered"
  grep -q '^ORVELK-ENCODE(1) ' <<<"$rendered" || fail "man -l shows another title: $(head -1 <<<"$rendered")"
fi
echo "ok: every page named by its command, its characters kept, the others named"
