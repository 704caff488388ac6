#!/bin/sh
# One golden case: runs CASE.inp through the real program in a scratch
# folder and compares, byte for byte, the results (and the listing, when
# CASE.lst.expected exists) with the expected files beside the script, or in
# EXPECTED-DIR when given. It also checks the exit status (1 when the
# expected results end with error lines, else 0) and that standard output
# shows what the files hold.
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

expected_status=0
if LC_ALL=C grep -qE '^Line [0-9]+, Col [0-9]+: .* \(E[0-9]+\)$' "$dir/$name.res.expected"; then
  expected_status=1
fi
failed=0
if [ $status -ne $expected_status ]; then
  echo "orbelin ended with status $status, expected $expected_status"
  cat "$work/stderr"
  failed=1
fi
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
shown="$work/$name.res"
[ $expected_status -eq 1 ] && shown="$work/$name.lst"
if ! cmp -s "$shown" "$work/stdout"; then
  echo "--- standard output differs from $shown (expected <, got >):"
  diff "$shown" "$work/stdout" | head -20
  failed=1
fi
exit $failed
