#!/usr/bin/env python3
"""Derive the dictionary source tables from public data that Debian ships.

Inputs (Debian packages):
  unicode-data   /usr/share/unicode/Unihan_DictionaryLikeData.txt.bz2
                 field kFourCornerCode gives each character its corner code
  python3-jieba  jieba/dict.txt: word, count, part of speech (MIT licence)

Outputs (UTF-8 text, one row per line, committed beside the program sources):
  chars.txt     code <TAB> character <TAB> frequency
  words.txt     code <TAB> word <TAB> frequency
  frequent.txt  code <TAB> two-character word   (the high-frequency list)

Rows are sorted by code as digit strings, then by falling frequency, then by
the text's code points, so that re-running the script gives the same bytes.
"""

import argparse
import bz2
import collections
import os
import sys

UNIHAN = "/usr/share/unicode/Unihan_DictionaryLikeData.txt.bz2"
JIEBA_CANDIDATES = [
    "/usr/lib/python3/dist-packages/jieba/dict.txt",
    "/usr/share/python3-jieba/dict.txt",
]

# Words below this count are mostly jieba's filler entries; they would crowd
# the candidate lists without helping a learner.
MIN_WORD_COUNT = 4
MAX_WORD_CHARS = 13
FREQUENT_WORDS = 2000


def gb2312_characters():
    """All 6,763 GB2312 hanzi, in GB2312 order."""
    chars = []
    for lead in range(0xB0, 0xF8):
        for trail in range(0xA1, 0xFF):
            try:
                ch = bytes([lead, trail]).decode("gb2312")
            except UnicodeDecodeError:
                continue
            chars.append(ch)
    return chars


def read_corner_codes(path):
    """Map character -> list of codes ("5000.6" -> "50006", "3030" -> "3030")."""
    codes = {}
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or "\tkFourCornerCode\t" not in line:
                continue
            point, _, values = line.rstrip("\n").split("\t")
            ch = chr(int(point[2:], 16))
            out = []
            for v in values.split():
                digits = v.replace(".", "")
                if digits.isdigit() and 1 <= len(digits) <= 6 and digits not in out:
                    out.append(digits)
            if out:
                codes[ch] = out
    return codes


def read_jieba(path):
    """Yield (word, count) in file order."""
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and parts[1].isdigit():
                yield parts[0], int(parts[1])


def word_code(word, full):
    c = [full[ch] for ch in word]
    n = len(word)
    if n == 2:
        return c[0][:3] + c[1][:3]
    if n == 3:
        return c[0][:2] + c[1][:2] + c[2][:2]
    if n == 4:
        return c[0][:2] + c[1][:2] + c[2][:1] + c[3][:1]
    return c[0][:2] + c[1][:1] + c[2][:1] + c[-2][:1] + c[-1][:1]


def digit_key(code):
    # Codes compare as digit strings: "1" < "10" < "2".
    return code


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--unihan", default=UNIHAN)
    ap.add_argument("--jieba", default=None)
    ap.add_argument("--out", required=True, help="folder for the tables")
    args = ap.parse_args()

    jieba = args.jieba or next((p for p in JIEBA_CANDIDATES if os.path.exists(p)), None)
    if not jieba:
        sys.exit("jieba/dict.txt not found: install python3-jieba")

    corner = read_corner_codes(args.unihan)
    gb = gb2312_characters()
    coded = {ch: corner[ch] for ch in gb if ch in corner}
    full = {ch: codes[0] for ch, codes in coded.items()}

    own = collections.Counter()
    freq = collections.Counter()
    words = {}
    for w, n in read_jieba(jieba):
        if len(w) == 1:
            own[w] += n
            continue
        seen = set()
        for ch in w:
            if ch in coded and ch not in seen:
                freq[ch] += n
                seen.add(ch)
        if (n >= MIN_WORD_COUNT and len(w) <= MAX_WORD_CHARS
                and all(ch in coded for ch in w)):
            words[w] = words.get(w, 0) + n
    for ch in coded:
        freq[ch] += own[ch]

    def by_freq(items):
        return sorted(items, key=lambda t: (-t[1], t[0]))

    # Character rows: every corner code, plus the one- and two-key short codes.
    char_rows = []
    for ch, codes in coded.items():
        for code in codes:
            char_rows.append((code, ch, freq[ch]))
    ranked = by_freq((ch, freq[ch]) for ch in coded)
    one_key = {}
    for ch, _ in ranked:
        d = full[ch][0]
        if d not in one_key:
            one_key[d] = ch
    two_key = {}
    one_key_chars = set(one_key.values())
    for ch, _ in ranked:
        if ch in one_key_chars:
            continue
        p = full[ch][:2]
        if len(p) == 2 and p not in two_key:
            two_key[p] = ch
    for d, ch in one_key.items():
        char_rows.append((d, ch, freq[ch]))
    for p, ch in two_key.items():
        char_rows.append((p, ch, freq[ch]))

    word_rows = [(word_code(w, full), w, n) for w, n in words.items()]
    one_key_words = {}
    for w, n in by_freq((w, n) for w, n in words.items() if len(w) == 2):
        d = word_code(w, full)[0]
        if d not in one_key_words:
            one_key_words[d] = w
            word_rows.append((d, w, n))

    frequent = [w for w, _ in by_freq((w, n) for w, n in words.items() if len(w) == 2)]
    frequent = frequent[:FREQUENT_WORDS]

    def write(name, rows):
        rows = sorted(rows, key=lambda r: (digit_key(r[0]), -r[2], r[1]))
        path = os.path.join(args.out, name)
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            for code, text, n in rows:
                f.write(f"{code}\t{text}\t{n}\n")

    os.makedirs(args.out, exist_ok=True)
    write("chars.txt", char_rows)
    write("words.txt", word_rows)
    with open(os.path.join(args.out, "frequent.txt"), "w", encoding="utf-8", newline="\n") as f:
        for w in frequent:
            f.write(f"{word_code(w, full)}\t{w}\n")
    print(f"{len(coded)} characters with codes, {len(char_rows)} character rows, "
          f"{len(word_rows)} word rows, {len(frequent)} frequent words")


if __name__ == "__main__":
    main()
