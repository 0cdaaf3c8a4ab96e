#!/usr/bin/env bash
# Fetches the stroke data the rhyme codes and the code diagrams are made from,
# pinned and checked, into a folder (default: build-sources/ of the project):
#   hanzi-writer-data-2.0.1.tgz  npm package hanzi-writer-data (derived from
#                                Make Me a Hanzi; Arphic Public License):
#                                outlines and median lines of each stroke
#   hanzi-writer-data/           the same, unpacked (one JSON file a character)
# (The classes of each character's first strokes, the other input of the rhyme
# codes, are kept in the project: tools/stroke_classes.txt.)
# Files already there and intact are kept, so a second run fetches nothing.
# Exits non-zero, naming what failed, when the data cannot be had.
set -euo pipefail
dest="${1:-$(dirname "$0")/../build-sources}"
mkdir -p "$dest"
dest="$(cd "$dest" && pwd)"

strokes=hanzi-writer-data-2.0.1.tgz
strokes_sha1=09ce12eb1c47d86aeb33313e622f17ba5cbac1ad

intact() { [ -f "$1" ] && echo "$2  $1" | "$3" -c --status -; }

if ! intact "$dest/$strokes" "$strokes_sha1" sha1sum; then
  (cd "$dest" && npm pack --silent hanzi-writer-data@2.0.1 >/dev/null) \
    || { echo "npm pack hanzi-writer-data@2.0.1 failed" >&2; exit 1; }
  intact "$dest/$strokes" "$strokes_sha1" sha1sum || { echo "$dest/$strokes: checksum differs" >&2; exit 1; }
  rm -rf "$dest/hanzi-writer-data"
fi
if [ ! -f "$dest/hanzi-writer-data/中.json" ]; then
  rm -rf "$dest/hanzi-writer-data.tmp" && mkdir -p "$dest/hanzi-writer-data.tmp"
  tar xzf "$dest/$strokes" -C "$dest/hanzi-writer-data.tmp" --strip-components=1
  rm -rf "$dest/hanzi-writer-data" && mv "$dest/hanzi-writer-data.tmp" "$dest/hanzi-writer-data"
fi
