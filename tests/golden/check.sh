#!/bin/sh
# One golden case: runs CASE.inp through the real program in a scratch
# folder and checks what it wrote and said. A case is held to one of two
# kinds of expectation, or both:
#
# - Files beside the script (or in EXPECTED-DIR when given): the results
#   CASE.res.expected and, when it exists, the listing CASE.lst.expected,
#   byte for byte; standard output must show those results without the
#   error lines at their end, and the exit status is 1 when there are error
#   lines, else 0. Standard error must hold what CASE.err.expected holds
#   (the errors and warnings with their hints and source lines), or nothing
#   when there is no such file.
#
# - Comments in the script itself, where the expectation is short:
#     -- expect: TEXT          a line of standard output, in order
#     -- error: L:C: MESSAGE   an error at line L, column C
#     -- warning: L:C: TEXT    a warning
#     -- note: L:C: TEXT       a note
#     -- hint: TEXT            the hint of the error, warning or note before it
#   Without CASE.err.expected, the errors, warnings, notes and hints on standard
#   error must be exactly these, in this order (the source lines and carets
#   under them are not compared). The exit status is 1 when an error is
#   expected, else 0.
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
# Run from the scratch folder, so that the messages name the script as the
# expected files do.
(cd "$work" && "$orbelin" run --encoding "$encoding" "$name.inp" >stdout 2>stderr)
status=$?
export LC_ALL=C
failed=0

# The expectations the script carries in its comments.
sed -n 's/^.*-- expect: //p' "$script" | tr -d '\r' >"$work/comment.out"
awk '
  { sub(/\r$/, "") }
  match($0, /-- (error|warning|note): [0-9]+:[0-9]+: /) {
    rest = substr($0, RSTART + 3)
    kind = substr(rest, 1, index(rest, ":") - 1)
    rest = substr(rest, length(kind) + 3)
    split(rest, at, ": ")
    print at[1] ": " kind ": " substr(rest, length(at[1]) + 3)
    next
  }
  match($0, /-- hint: /) { print "hint: " substr($0, RSTART + 9) }
' "$script" >"$work/comment.err"
has_comments=0
if [ -s "$work/comment.out" ] || [ -s "$work/comment.err" ]; then has_comments=1; fi

error_line='^Line [0-9]+, Col [0-9]+: .* \(E[0-9]+\)$'
expected_status=0
if [ -f "$dir/$name.res.expected" ]; then
  grep -qE "$error_line" "$dir/$name.res.expected" && expected_status=1
else
  grep -q ': error: ' "$work/comment.err" && expected_status=1
fi
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

# Standard output: the expected results up to the error lines at their end,
# or the lines the comments expect.
if [ -f "$dir/$name.res.expected" ]; then
  awk -v pattern="$error_line" '
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
fi
if [ -s "$work/comment.out" ] && ! cmp -s "$work/comment.out" "$work/stdout"; then
  echo "--- standard output differs from the script's '-- expect:' lines (expected <, got >):"
  diff "$work/comment.out" "$work/stdout" | head -20
  failed=1
fi

# Standard error: the hints and warnings, word for word.
if [ -f "$dir/$name.err.expected" ] || [ $has_comments -eq 0 ]; then
  expected_err="$dir/$name.err.expected"
  [ -f "$expected_err" ] || expected_err=/dev/null
  if ! cmp -s "$expected_err" "$work/stderr"; then
    echo "--- standard error differs from $expected_err (expected <, got >):"
    diff "$expected_err" "$work/stderr" | head -40
    failed=1
  fi
else
  awk -v prefix="$name.inp:" '
    index($0, prefix) == 1 && $0 ~ /^[^ ]*:[0-9]+:[0-9]+: (error|warning|note): / {
      print substr($0, length(prefix) + 1); next
    }
    /^hint: / { print }
  ' "$work/stderr" >"$work/said"
  if ! cmp -s "$work/comment.err" "$work/said"; then
    echo "--- standard error differs from the script's '-- error/warning/hint:' lines (expected <, got >):"
    diff "$work/comment.err" "$work/said" | head -40
    failed=1
  fi
fi
exit $failed
