#!/bin/sh
# One golden case: runs CASE.inp through the real program in a scratch
# folder and compares, byte for byte, the results (and the listing, when
# CASE.lst.expected exists) with the expected files beside the script, or in
# EXPECTED-DIR when given. It also checks the exit status (1 when the
# expected results end with error lines, else 0) and that standard output
# shows the results without those error lines, which go to standard error.
#
#   check.sh ORBELIN CASE.inp [EXPECTED-DIR [ENCODING]]
#
# ENCODING is cp1252 (the default: the bytes are the script, output is the
# raw bytes) or auto (a UTF-8 script; output is UTF-8).
set -u
orbelin=$1
script=$2
dir=${3:-$(dirname "$script")}
encoding=${4:-cp1252}
name=$(basename "$script" .inp)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$script" "$work/$name.inp"
"$orbelin" run --encoding "$encoding" "$work/$name.inp" >"$work/stdout" 2>"$work/stderr"
status=$?

error_line='^Line [0-9]+, Col [0-9]+: .* \(E[0-9]+\)$'
expected_status=0
if LC_ALL=C grep -qE "$error_line" "$dir/$name.res.expected"; then
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

# Standard output: the expected results up to the error lines at their end.
LC_ALL=C awk -v pattern="$error_line" '
  { line[NR] = $0; if ($0 !~ pattern) last = NR }
  END { for (i = 1; i <= last; i++) printf "%s\n", line[i] }' \
  "$dir/$name.res.expected" >"$work/shown"
if [ "$encoding" != cp1252 ]; then
  iconv -f WINDOWS-1252 -t UTF-8 "$work/shown" >"$work/shown.utf8" && mv "$work/shown.utf8" "$work/shown"
fi
if ! cmp -s "$work/shown" "$work/stdout"; then
  echo "--- standard output differs from the results (expected <, got >):"
  diff "$work/shown" "$work/stdout" | head -20
  failed=1
fi
exit $failed
