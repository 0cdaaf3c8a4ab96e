#!/usr/bin/env python3
"""Make the training's exercise files from the dictionary source tables.

Reads chars.txt, words.txt and corners.txt of a source folder (code <TAB> text <TAB>
frequency, UTF-8) and writes into an "hzlib" folder the fixed-record GBK files
the training window draws its characters and words from:

  z1.txt  全码字    the 3,500 most frequent characters, full code
  z2.txt  稍难字    the other coded GB2312 characters, full code
  z3.txt  一键简码  the one-key characters, one-digit code
  z4.txt  二键简码  the two-key characters, two-digit code
  c1.txt  一键词    the one-key words, one-digit code
  c2.txt  二字词    the most frequent two-character words, word code
  c3.txt  三字词    the most frequent three-character words
  c4.txt  四字词    the most frequent four-character words
  c5.txt  多字词    the most frequent words of 5 to 8 characters

Each record is one line: the code in 6 bytes padded with spaces, the text in
GBK (2 bytes a character; c4 and c5 padded with spaces to 8 and 16 bytes),
then CR LF. Records are ordered by falling frequency. Every code written is
one under which the dictionary compiled from the same tables lists the text.
"""

import argparse
import os
import sys

COMMON_CHARS = 3500
WORD_COUNTS = {"c2": 3000, "c3": 1500, "c4": 1500, "c5": 600}
# Text field width in bytes of each file; None: exactly the text.
TEXT_WIDTH = {"z1": 2, "z2": 2, "z3": 2, "z4": 2,
              "c1": 4, "c2": 4, "c3": 6, "c4": 8, "c5": 16}


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            parts = line.rstrip("\n").split("\t")
            if len(parts) < 2 or not parts[0].isdigit():
                sys.exit(f"{path}:{number}: not a table row")
            freq = int(parts[2]) if len(parts) > 2 and parts[2].isdigit() else 0
            rows.append((parts[0], parts[1], freq))
    return rows


def read_main_codes(path):
    """{character: main code} from corners.txt (character, code, ...)."""
    with open(path, encoding="utf-8") as f:
        return {parts[0]: parts[1] for parts in (line.split("\t") for line in f) if len(parts) > 1}


def ranked(items):
    """(code, text, freq) by falling frequency, then code and text."""
    return sorted(items, key=lambda r: (-r[2], r[0], r[1]))


def record(code, text, width):
    data = text.encode("gbk")
    if len(code) > 6 or len(data) > width:
        raise ValueError(f"{code} {text}: does not fit its record")
    return code.ljust(6).encode("ascii") + data.ljust(width, b" ") + b"\r\n"


def write(folder, name, rows):
    width = TEXT_WIDTH[name]
    path = os.path.join(folder, name + ".txt")
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        for code, text, _ in rows:
            f.write(record(code, text, width))
    os.replace(tmp, path)
    return len(rows)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("source", help="folder with chars.txt and words.txt")
    ap.add_argument("hzlib", help="folder to write the exercise files into")
    args = ap.parse_args()

    chars = read_table(os.path.join(args.source, "chars.txt"))
    words = read_table(os.path.join(args.source, "words.txt"))

    # A character's full code is its main code (corners.txt), the one its
    # words are built from; further codes are extra dictionary records.
    main_code = read_main_codes(os.path.join(args.source, "corners.txt"))
    full = {}
    one_key, two_key = [], []
    for code, ch, freq in chars:
        if len(code) >= 4:
            if main_code.get(ch) == code:
                full[ch] = (code, ch, freq)
        elif len(code) == 1:
            one_key.append((code, ch, freq))
        elif len(code) == 2:
            two_key.append((code, ch, freq))
    by_freq = ranked(full.values())
    counts = {}
    os.makedirs(args.hzlib, exist_ok=True)
    counts["z1"] = write(args.hzlib, "z1", by_freq[:COMMON_CHARS])
    counts["z2"] = write(args.hzlib, "z2", by_freq[COMMON_CHARS:])
    counts["z3"] = write(args.hzlib, "z3", sorted(one_key))
    counts["z4"] = write(args.hzlib, "z4", sorted(two_key))

    one_key_words = sorted(r for r in words if len(r[0]) == 1 and len(r[1]) == 2)
    counts["c1"] = write(args.hzlib, "c1", one_key_words)
    coded = [r for r in words if len(r[0]) == 6]
    groups = {
        "c2": [r for r in coded if len(r[1]) == 2],
        "c3": [r for r in coded if len(r[1]) == 3],
        "c4": [r for r in coded if len(r[1]) == 4],
        "c5": [r for r in coded if 5 <= len(r[1]) <= 8],
    }
    for name, rows in groups.items():
        counts[name] = write(args.hzlib, name, ranked(rows)[:WORD_COUNTS[name]])
    print(" ".join(f"{name}:{n}" for name, n in counts.items()))


if __name__ == "__main__":
    main()
