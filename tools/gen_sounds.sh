#!/usr/bin/env bash
# Makes the training's sound cues in OUT_DIR: Mandarin voice cues spoken by
# espeak-ng and shaped by sox (rate, loudness, fades, a chime where it fits),
# a short fanfare, and the pause music backmid.mid.
#   gen_sounds.sh OUT_DIR
#   gen_sounds.sh --check-voice   prints each cue's phonemes; fails when
#                                 espeak-ng would read one as English
set -euo pipefail

# The spoken cues: file, the words, and the words in pinyin with tone numbers.
# espeak-ng's "cmn" voice reads Chinese characters through English rules
# ("jia one you two"); its pinyin voice speaks Mandarin phonemes, so the cues
# are given to it in pinyin.
voice=cmn-latn-pinyin
cues=(
  "Jiayou.wav|加油！|jia1 you2"
  "Zaixiang.wav|再想想|zai4 xiang3 xiang3"
  "start.wav|开始|kai1 shi3"
  "Gxgx.wav|时间到了|shi2 jian1 dao4 le5"
  "Hero.wav|恭喜你破纪录了！|gong1 xi3 ni3 po4 ji4 lu4 le5"
)

if [ "${1:-}" = "--check-voice" ]; then
  status=0
  for cue in "${cues[@]}"; do
    IFS='|' read -r file words pinyin <<<"$cue"
    phonemes=$(espeak-ng -q -x -v "$voice" "$pinyin" 2>/dev/null)
    echo "$file $words: $phonemes"
    case "$phonemes" in
      *"(en"* | "") echo "  $file is not read as Mandarin" >&2; status=1 ;;
    esac
  done
  exit $status
fi

# Every sox run in its repeatable mode: dither seeded with a fixed number and
# no time in the output, so that two builds make the same bytes.
sox() { command sox -R "$@"; }

out="$1"
here="$(cd "$(dirname "$0")" && pwd)"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

# Voice: espeak-ng's Mandarin at a friendly speed and pitch, evened out.
say() { # file pinyin [extra sox effects...]
  local file=$1 text=$2
  shift 2
  espeak-ng -v "$voice" -s 150 -p 55 -w "$tmp/raw.wav" "$text"
  sox "$tmp/raw.wav" "$tmp/trimmed.wav" silence 1 0.02 1% reverse silence 1 0.02 1% reverse
  sox "$tmp/trimmed.wav" -r 22050 -c 1 -b 16 "$tmp/voice.wav" \
    norm -3 fade 0.01 0 0.05 pad 0 0.1 "$@"
  cp "$tmp/voice.wav" "$out/$file"
}
chime() { # file: a bright two-note chime before the voice already in $out/file
  local file=$1
  sox -n -r 22050 -c 1 -b 16 "$tmp/c1.wav" synth 0.16 sine 1318.5 fade 0 0.16 0.12 vol 0.35
  sox -n -r 22050 -c 1 -b 16 "$tmp/c2.wav" synth 0.30 sine 1760 fade 0 0.30 0.25 vol 0.35
  sox "$tmp/c1.wav" "$tmp/c2.wav" "$out/$file" "$tmp/joined.wav"
  mv "$tmp/joined.wav" "$out/$file"
}

for cue in "${cues[@]}"; do
  IFS='|' read -r file words pinyin <<<"$cue"
  say "$file" "$pinyin"
done
chime Hero.wav

# A short rising fanfare: C E G C'.
notes=(523.25 659.25 783.99 1046.5)
parts=()
for i in "${!notes[@]}"; do
  len=0.14
  [ "$i" -eq 3 ] && len=0.5
  sox -n -r 22050 -c 1 -b 16 "$tmp/n$i.wav" synth "$len" triangle "${notes[$i]}" \
    fade 0.005 "$len" 0.08 vol 0.5
  parts+=("$tmp/n$i.wav")
done
sox "${parts[@]}" "$out/win.wav"

/usr/bin/python3 "$here/gen_backmid.py" "$out/backmid.mid"
