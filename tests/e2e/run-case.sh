#!/usr/bin/env bash
# Runs one end-to-end case: run-case.sh DRIVE CASE.drive, comparing the driver's output
# with CASE.out.
#
# - A first line "#! OPTIONS" gives the driver's command-line options (shell quoting
#   works: #! --system-language "Deutsch (Deutschland)").
# - A line "#!next" ends one run of the program and starts the next one in the same
#   scratch folder (what the first run wrote is there at the next start); "#!next OPTIONS"
#   gives that run its own options, otherwise the first line's apply. The outputs of the
#   runs follow each other in CASE.out.
# - "@CASE@" in the case, its options and its expected output stands for a fresh, empty
#   scratch folder of the case, which is also the working folder of the run.
# - The run must end with exit status 1 when the expected output holds an "error" line,
#   else with 0 (with several runs: the highest status of them).
set -u
drive=$1
case=$2
expected=${case%.drive}.out
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scratch=$work/case
mkdir "$scratch"
sed "s|@CASE@|$scratch|g" "$case" > "$work/case.drive"
first_opts=""
if head -n1 "$work/case.drive" | grep -q '^#!' && ! head -n1 "$work/case.drive" | grep -q '^#!next'; then
  first_opts=$(head -n1 "$work/case.drive" | sed 's/^#! *//')
fi
# One script per run: part.1, part.2, ...; part.N.opts holds the options of run N.
awk -v dir="$work" -v first="$first_opts" '
  BEGIN { n = 1; print first > (dir "/part.1.opts") }
  /^#!next( |$)/ {
    n++; o = $0; sub(/^#!next */, "", o); if (o == "") o = first
    print o > (dir "/part." n ".opts"); next
  }
  { print > (dir "/part." n) }
  END { print n > (dir "/parts") }' "$work/case.drive"
cd "$scratch"
: > "$work/actual.out"
: > "$work/stderr.txt"
rc=0
for i in $(seq 1 "$(cat "$work/parts")"); do
  touch "$work/part.$i"
  opts=()
  eval "opts=($(cat "$work/part.$i.opts"))"
  QT_QPA_PLATFORM=offscreen "$drive" "${opts[@]}" "$work/part.$i" >> "$work/actual.out" 2>> "$work/stderr.txt"
  r=$?
  [ "$r" -gt "$rc" ] && rc=$r
done
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
