#!/bin/sh
# One golden case: runs CASE.inp through the real program in a scratch
# folder and compares the results (and the listing, when CASE.lst.expected
# exists) byte for byte with the expected files beside the script, or in
# EXPECTED-DIR when given.
set -u
orbelin=$1
script=$2
dir=${3:-$(dirname "$script")}
name=$(basename "$script" .inp)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$script" "$work/$name.inp"
"$orbelin" run --encoding cp1252 "$work/$name.inp" >"$work/stdout" 2>"$work/stderr"
status=$?
if [ $status -gt 1 ]; then
  echo "orbelin ended with status $status"
  cat "$work/stderr"
  exit 1
fi
failed=0
for kind in res lst; do
  expected="$dir/$name.$kind.expected"
  [ -f "$expected" ] || continue
  if ! cmp -s "$expected" "$work/$name.$kind"; then
    echo "--- $name.$kind differs from $expected (expected <, got >):"
    diff "$expected" "$work/$name.$kind" | head -40
    od -c "$work/$name.$kind" | head -20
    failed=1
  fi
done
exit $failed
