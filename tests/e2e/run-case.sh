#!/usr/bin/env bash
# Runs one end-to-end case: run-case.sh DRIVE CASE.drive, comparing the driver's output
# with CASE.out.
#
# - A first line "#! OPTIONS" gives the driver's command-line options (shell quoting
#   works: #! --system-language "Deutsch (Deutschland)").
# - "@CASE@" in the case, its options and its expected output stands for a fresh, empty
#   scratch folder of the case, which is also the working folder of the run.
# - The run must end with exit status 1 when the expected output holds an "error" line,
#   else with 0.
set -u
drive=$1
case=$2
expected=${case%.drive}.out
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scratch=$work/case
mkdir "$scratch"
sed "s|@CASE@|$scratch|g" "$case" > "$work/case.drive"
opts=()
if head -n1 "$work/case.drive" | grep -q '^#!'; then
  eval "opts=($(head -n1 "$work/case.drive" | sed 's/^#! *//'))"
fi
cd "$scratch"
QT_QPA_PLATFORM=offscreen "$drive" "${opts[@]}" "$work/case.drive" > "$work/actual.out" 2> "$work/stderr.txt"
rc=$?
sed "s|@CASE@|$scratch|g" "$expected" > "$work/expected.out"
if ! diff -u "$work/expected.out" "$work/actual.out"; then
  echo "--- stderr:"; cat "$work/stderr.txt"
  exit 1
fi
want_rc=0
grep -q '^error ' "$work/expected.out" && want_rc=1
if [ "$rc" -ne "$want_rc" ]; then
  echo "exit status $rc, expected $want_rc"; cat "$work/stderr.txt"; exit 1
fi
exit 0
