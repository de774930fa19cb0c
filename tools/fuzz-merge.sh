#!/usr/bin/env bash
# Adds the most useful inputs of a long fuzzing run to tests/fuzz/corpus:
#   CORVANE_FUZZ_KEEP=/tmp/found tools/fuzz.sh 600    # keeps what each run found
#   tools/fuzz-merge.sh /tmp/found [LIMIT]            # picks from it
# For each target, a greedy set cover over the coverage edges picks the
# inputs that reach code the committed corpus does not; of those, at most
# LIMIT (default 40), smallest first, are copied into the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
found=${1:?usage: tools/fuzz-merge.sh FOLDER [LIMIT]}
limit=${2:-40}

for target in build-fuzz/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target"); name=${name#fuzz_}
  corpus=tests/fuzz/corpus/$name
  [ -d "$found/$name" ] || continue
  merged=$(mktemp -d)
  cp "$corpus"/* "$merged"/
  "$target" -set_cover_merge=1 -use_counters=0 "$merged" "$found/$name" > "build-fuzz/merge-$name.log" 2>&1
  added=0
  while read -r size file; do
    [ "$added" -lt "$limit" ] || break
    cp "$merged/$file" "$corpus/"
    added=$((added + 1))
  done < <(cd "$merged" && ls | grep -vxF -f <(ls "$OLDPWD/$corpus") | xargs -r du -b | sort -n)
  echo "fuzz-merge: $name: $added inputs added to $corpus"
  rm -rf "$merged"
done
