#!/usr/bin/env python3
"""Derive the dictionary source tables from public data that Debian ships.

Inputs (Debian packages):
  unicode-data   /usr/share/unicode/Unihan_DictionaryLikeData.txt.bz2
                 field kFourCornerCode gives each character its corner code
  python3-jieba  jieba/dict.txt: word, count, part of speech (MIT licence)
  fortunes-zh    /usr/share/games/fortunes/chinese.u8: about 300,000
                 characters of Chinese prose, sayings and verse (GPL-3.0+;
                 only counts of its characters are used)

Character frequency (it picks the one- and two-key characters and orders the
characters within a code) reflects running text: 70 % of it is the
character's share of the fortunes' text, 30 % its share of the word list's
evidence (its own count plus the counts of the words that contain it), which
also ranks the characters the text lacks. From the fortunes only their bodies
count (not the "-- source" lines), without their computing vocabulary: the
text is cut into words by longest match on the word list, and a word of two
or more characters that occurs at least 5 times in the fortunes holding Latin
letters (the technical ones), at 10 times or more its rate in the word list
(软件, 文件, 命令 ...), is left out wherever it occurs. Frequencies are written
in parts per billion. Words keep the word list's counts.

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
import re
import sys

UNIHAN = "/usr/share/unicode/Unihan_DictionaryLikeData.txt.bz2"
JIEBA_CANDIDATES = [
    "/usr/lib/python3/dist-packages/jieba/dict.txt",
    "/usr/share/python3-jieba/dict.txt",
]
FORTUNES = "/usr/share/games/fortunes/chinese.u8"

# Words below this count are mostly jieba's filler entries; they would crowd
# the candidate lists without helping a learner.
MIN_WORD_COUNT = 4
MAX_WORD_CHARS = 13
FREQUENT_WORDS = 2000

# The character frequency: share of the fortunes' text and of the word list.
TEXT_WEIGHT = 0.7
LIST_WEIGHT = 0.3
FREQUENCY_SCALE = 10**9  # parts per billion
# Computing vocabulary: words of the technical fortunes far above their rate
# in the word list.
COMPUTING_MIN_COUNT = 5
COMPUTING_RATE_FACTOR = 10
LONGEST_WORD = 8  # longest word tried when cutting the text into words

ANSI = re.compile(r"\x1b\[[0-9;]*m")
HAN_RUN = re.compile(r"[\u4e00-\u9fff]+")
LATIN = re.compile(r"[A-Za-z]")


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


def read_fortune_bodies(path):
    """The fortunes' texts without colour codes and without their "-- source" lines."""
    with open(path, encoding="utf-8") as f:
        text = ANSI.sub("", f.read())
    bodies = []
    for block in text.split("\n%\n"):
        lines = [l for l in block.split("\n") if not l.strip().startswith("--")]
        bodies.append("\n".join(lines))
    return bodies


def cut_words(text, vocabulary):
    """The Chinese runs of `text` cut into words by longest match; a character
    that starts no word of two or more characters stands alone."""
    out = []
    for run in HAN_RUN.findall(text):
        i = 0
        while i < len(run):
            n = min(LONGEST_WORD, len(run) - i)
            while n > 1 and run[i:i + n] not in vocabulary:
                n -= 1
            out.append(run[i:i + n])
            i += n
    return out


def text_character_counts(bodies, list_counts):
    """Characters of the fortunes' running text, without computing vocabulary.
    Returns (counts, the computing words found)."""
    cut = [(cut_words(b, list_counts), bool(LATIN.search(b))) for b in bodies]
    technical = collections.Counter(w for words, tech in cut if tech for w in words)
    technical_chars = sum(len(w) * n for w, n in technical.items())
    list_total = sum(list_counts.values())
    computing = {
        w for w, n in technical.items()
        if len(w) >= 2 and n >= COMPUTING_MIN_COUNT
        and n * list_total >= COMPUTING_RATE_FACTOR * list_counts[w] * technical_chars
    }
    counts = collections.Counter()
    for words, _ in cut:
        for w in words:
            if w not in computing:
                counts.update(w)
    return counts, computing


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
    ap.add_argument("--fortunes", default=FORTUNES)
    ap.add_argument("--out", required=True, help="folder for the tables")
    args = ap.parse_args()

    jieba = args.jieba or next((p for p in JIEBA_CANDIDATES if os.path.exists(p)), None)
    if not jieba:
        sys.exit("jieba/dict.txt not found: install python3-jieba")

    corner = read_corner_codes(args.unihan)
    gb = gb2312_characters()
    coded = {ch: corner[ch] for ch in gb if ch in corner}
    full = {ch: codes[0] for ch, codes in coded.items()}

    if not os.path.exists(args.fortunes):
        sys.exit(f"{args.fortunes} not found: install fortunes-zh")

    own = collections.Counter()
    evidence = collections.Counter()  # own count plus the words containing it
    list_counts = collections.Counter()
    words = {}
    for w, n in read_jieba(jieba):
        list_counts[w] += n
        if len(w) == 1:
            own[w] += n
            continue
        seen = set()
        for ch in w:
            if ch in coded and ch not in seen:
                evidence[ch] += n
                seen.add(ch)
        if (n >= MIN_WORD_COUNT and len(w) <= MAX_WORD_CHARS
                and all(ch in coded for ch in w)):
            words[w] = words.get(w, 0) + n
    for ch in coded:
        evidence[ch] += own[ch]

    text, computing = text_character_counts(read_fortune_bodies(args.fortunes), list_counts)
    text_total = sum(text[ch] for ch in coded)
    evidence_total = sum(evidence[ch] for ch in coded)
    freq = {
        ch: round(FREQUENCY_SCALE * (TEXT_WEIGHT * text[ch] / text_total
                                     + LIST_WEIGHT * evidence[ch] / evidence_total))
        for ch in coded
    }

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
    print(f"{len(coded)} characters with codes ({sum(1 for ch in coded if text[ch])} in the "
          f"fortunes' {text_total} characters; {len(computing)} computing words left out), "
          f"{len(char_rows)} character rows, {len(word_rows)} word rows, "
          f"{len(frequent)} frequent words")


if __name__ == "__main__":
    main()
