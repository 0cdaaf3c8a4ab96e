#!/usr/bin/env bash
# Fetches the stroke data the rhyme codes and the code diagrams are made from,
# pinned and checked, into a folder (default: build-sources/ of the project):
#   hanzi-writer-data-2.0.1.tgz  npm package hanzi-writer-data (derived from
#                                Make Me a Hanzi; Arphic Public License):
#                                outlines and median lines of each stroke
#   hanzi-writer-data/           the same, unpacked (one JSON file a character)
#   stroke5.db                   from Debian's ibus-table-stroke5: the class
#                                (横竖撇点折) of each character's first strokes
# Files already there and intact are kept, so a second run fetches nothing.
set -euo pipefail
dest="${1:-$(dirname "$0")/../build-sources}"
mkdir -p "$dest"
dest="$(cd "$dest" && pwd)"

strokes=hanzi-writer-data-2.0.1.tgz
strokes_sha1=09ce12eb1c47d86aeb33313e622f17ba5cbac1ad
keys_deb_version=1.8.12-1
keys_sha256=415a090d02737b1713408e91cb58ac498e53069d2f31d7129a6003edcc06c236

intact() { [ -f "$1" ] && echo "$2  $1" | "$3" -c --status -; }

if ! intact "$dest/$strokes" "$strokes_sha1" sha1sum; then
  (cd "$dest" && npm pack --silent hanzi-writer-data@2.0.1 >/dev/null)
  intact "$dest/$strokes" "$strokes_sha1" sha1sum || { echo "$dest/$strokes: checksum differs" >&2; exit 1; }
  rm -rf "$dest/hanzi-writer-data"
fi
if [ ! -f "$dest/hanzi-writer-data/中.json" ]; then
  rm -rf "$dest/hanzi-writer-data.tmp" && mkdir -p "$dest/hanzi-writer-data.tmp"
  tar xzf "$dest/$strokes" -C "$dest/hanzi-writer-data.tmp" --strip-components=1
  rm -rf "$dest/hanzi-writer-data" && mv "$dest/hanzi-writer-data.tmp" "$dest/hanzi-writer-data"
fi

if ! intact "$dest/stroke5.db" "$keys_sha256" sha256sum; then
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  # apt-get download writes into the current folder; as root it warns that
  # the _apt user cannot write there, which is harmless.
  (cd "$work" && chmod 755 . && apt-get download -q "ibus-table-stroke5=$keys_deb_version" >/dev/null 2>&1 \
    || { echo "apt-get download ibus-table-stroke5=$keys_deb_version failed" >&2; exit 1; })
  dpkg-deb -x "$work"/ibus-table-stroke5_*.deb "$work/x"
  cp "$work/x/usr/share/ibus-table/tables/stroke5.db" "$dest/stroke5.db.tmp"
  mv "$dest/stroke5.db.tmp" "$dest/stroke5.db"
  intact "$dest/stroke5.db" "$keys_sha256" sha256sum || { echo "$dest/stroke5.db: checksum differs" >&2; exit 1; }
fi
