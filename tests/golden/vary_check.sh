#!/bin/sh
# One golden case of `orbelin vary`: CASE.inp names its options in a first
# comment line,
#   -- vary: --set A=0..9 --where CHK=41
# (words split at blanks, no quoting), and the search runs in a scratch
# folder with --csv CASE.csv. The CSV file must be CASE.csv.expected byte
# for byte, standard output CASE.out.expected where that exists, and the
# exit status 0.
#
#   vary_check.sh ORBELIN CASE.inp
set -u
orbelin=$1
script=$2
dir=$(dirname "$script")
name=$(basename "$script" .inp)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$script" "$work/$name.inp"
options=$(sed -n '1s/^-- vary: //p' "$script" | tr -d '\r')
if [ -z "$options" ]; then
  echo "$script has no '-- vary:' line"
  exit 1
fi
# shellcheck disable=SC2086 # the options are split at blanks on purpose
(cd "$work" && "$orbelin" vary "$name.inp" $options --csv "$name.csv" >stdout 2>stderr)
status=$?
failed=0
if [ $status -ne 0 ]; then
  echo "orbelin vary ended with status $status"
  cat "$work/stderr"
  failed=1
fi
for kind in csv out; do
  expected="$dir/$name.$kind.expected"
  [ -f "$expected" ] || continue
  actual="$work/$name.csv"
  [ $kind = out ] && actual="$work/stdout"
  if ! cmp -s "$expected" "$actual"; then
    echo "--- $kind differs from $expected:"
    od -c "$expected" | head -20
    echo "--- got:"
    od -c "$actual" | head -20
    failed=1
  fi
done
exit $failed
