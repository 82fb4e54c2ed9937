#!/bin/sh
# Runs a bundled example end to end on a copy in a temporary folder:
# korva-batch run, then the results and the saved output base name.
set -eu
batch=$1
example=$2
[ -f "$example" ] || { echo "no example $example"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
name=$(basename "$example" .kvp)
cp "$example" "$dir/"
"$batch" run --fix "$dir/$name.kvp" > "$dir/out.txt"
test -s "$dir/$name.day"
test -s "$dir/$name-1.kvo"
test -s "$dir/$name.log"
grep -q "100 percent complete" "$dir/$name.log"
grep -q "output project base name = $name" "$dir/$name.kvp"
grep -q "^Water balance" "$dir/out.txt"
"$batch" outputs "$dir/$name.kvp" > /dev/null
echo "$name ran: $(grep -c '^Day ' "$dir/out.txt") days"
