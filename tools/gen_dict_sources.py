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

import rhyme_corners

UNIHAN = "/usr/share/unicode/Unihan_DictionaryLikeData.txt.bz2"
JIEBA_CANDIDATES = [
    "/usr/lib/python3/dist-packages/jieba/dict.txt",
    "/usr/share/python3-jieba/dict.txt",
]
FORTUNES = "/usr/share/games/fortunes/chinese.u8"
READINGS = "/usr/share/unicode/Unihan_Readings.txt.bz2"
VARIANTS = "/usr/share/unicode/Unihan_Variants.txt.bz2"
# The stroke data, fetched by tools/fetch_stroke_sources.sh.
SOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build-sources")
STROKES_TARBALL = "hanzi-writer-data-2.0.1.tgz"
TOOLS = os.path.dirname(os.path.abspath(__file__))
STROKE_CLASSES = os.path.join(TOOLS, "stroke_classes.txt")
EXCEPTIONS = os.path.join(TOOLS, "rhyme_exceptions.txt")
REVIEWED = os.path.join(TOOLS, "reviewed_codes.txt")

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

PINLU_COUNT = re.compile(r"\((\d+)\)")
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


def read_unihan_field(path, field):
    """{character: value} of one field of a Unihan file."""
    out = {}
    tag = f"\t{field}\t"
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            if tag in line and not line.startswith("#"):
                point, _, value = line.rstrip("\n").split("\t")
                out[chr(int(point[2:], 16))] = value
    return out


def read_pinlu(readings_path, variants_path, characters):
    """Running-text counts of modern Chinese: kHanyuPinlu ("le(30101)
    liǎo(654)") summed over a character's readings. The field lists
    traditional forms too, with the counts of their simplified form; a
    character without an entry of its own takes the sum of the traditional
    forms that simplify to it."""
    counts = {ch: sum(int(n) for n in PINLU_COUNT.findall(v))
              for ch, v in read_unihan_field(readings_path, "kHanyuPinlu").items()}
    folded = collections.Counter()
    for ch, value in read_unihan_field(variants_path, "kSimplifiedVariant").items():
        if ch not in counts:
            continue
        for point in value.split():
            simple = chr(int(point[2:], 16))
            if simple != ch:
                folded[simple] += counts[ch]
    return {ch: counts.get(ch, folded.get(ch, 0)) for ch in characters}


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


def character_frequencies(pinlu, blend):
    """Parts per billion of running text. The modern-text counts rank every
    character they hold; the blend of the fortunes and the word list ranks
    the others, below them all."""
    total = sum(pinlu.values())
    freq = {ch: round(FREQUENCY_SCALE * n / total) for ch, n in pinlu.items() if n}
    floor = min(freq.values())
    rest = [ch for ch in blend if ch not in freq]
    top = max((blend[ch] for ch in rest), default=0) or 1
    for ch in rest:
        freq[ch] = int((floor - 1) * blend[ch] / top)
    return freq


def _read_rows(path, fits, what):
    """The rows of a reviewed table ({character: (code, shapes, what was
    seen)}), each checked by `fits(code, shapes)`; exits naming the first
    row that is not one."""
    out = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            parts = line.rstrip("\n").split("\t")
            if (len(parts) != 4 or not parts[1].isdigit() or len(parts[1]) not in (4, 5)
                    or not fits(parts[1], parts[2].split())):
                sys.exit(f"{path}:{number}: not {what}")
            out[parts[0]] = (parts[1], parts[2].split(), parts[3])
    return out


def read_exceptions(path):
    """The reviewed exception table: {character: (code, shapes, reason)};
    shapes names the stroke at each of the code's digits whose source digit
    is 2 ("撇", "左钩", "竖"; "-" at the others): four names, or five when
    the fifth digit is decided there too."""
    return _read_rows(path, lambda code, shapes: len(shapes) in (4, 5), "an exception row")


def read_reviewed_codes(path):
    """Codes read by eye for the characters the Unicode Han database gives
    no corner code, in the exception table's form: {character: (code,
    shapes, what was seen)}; shapes names the shape behind each 0 and 2
    ("撇", "左钩", "竖", "亠", "已用", "空角"; "-" at the other digits)."""
    def fits(code, shapes):
        return len(shapes) == len(code) and all(
            shape == "-" or rhyme_corners.name_fits(shape, digit)
            for shape, digit in zip(shapes, code))
    return _read_rows(path, fits, "a reviewed code")


def apply_exception(row, code, corners):
    """The code and digit reading of a character from its exception row: the
    row's first four digits, and its fifth when it names the fifth digit's
    stroke (else the strokes' reading of it); each digit the row decides is
    named by the row's shape, the others keep the strokes' names where those
    fit the digit."""
    decided, shapes, _ = row
    digits = list(decided[:4]) + list((decided if len(shapes) == 5 else code)[4:5])
    out = list(corners)
    for i, d in enumerate(digits):
        name = out[i][1]
        if i < len(shapes) and shapes[i] != "-":
            name = shapes[i]
        elif not rhyme_corners.name_fits(name, d):
            name = rhyme_corners.DIGIT_NAMES[int(d)] if d != "0" else rhyme_corners.EMPTY
        out[i] = (None if name == rhyme_corners.EMPTY else out[i][0], name)
    return "".join(digits), out[:len(digits)]


def rhyme_codes(source, strokes_tarball, keys_path, exceptions_path, reviewed=None):
    """Each character's codes by the rhyme, and the reading of its main code
    ({character: [(stroke, shape name)] a digit}) for the diagrams. A
    character the strokes do not settle must be in the exception table; a
    reviewed code (a character without a source code) is read from the
    strokes of the shapes its review names, and refused when they show none."""
    reviewed = reviewed or {}
    data = rhyme_corners.read_stroke_data(strokes_tarball, list(source) + list(reviewed))
    keys = rhyme_corners.read_stroke_keys(keys_path)
    exceptions = read_exceptions(exceptions_path)
    # A reviewed code read like a source code: each 撇, 左钩 and 竖 of the
    # review stands where the source would hold a 2.
    read_as = dict(source)
    for ch, (code, shapes, _) in reviewed.items():
        read_as[ch] = ["".join("2" if shape in rhyme_corners.DIGIT_OF_SHAPE else d
                               for d, shape in zip(code, shapes))]
    coded, readings, undecided = {}, {}, []
    for ch, values in read_as.items():
        medians = data.get(ch, {}).get("medians")
        row = exceptions.get(ch) or reviewed.get(ch)
        codes = []
        for i, value in enumerate(values):
            if medians is None:
                code = value
                corners = [(None, rhyme_corners.DIGIT_NAMES[int(d)]) for d in value]
                doubt = "没有笔画数据"
            else:
                decided = row[1] if i == 0 and row else None
                code, corners, doubt = rhyme_corners.read_corners(value, medians, keys.get(ch),
                                                                  decided)
            if i == 0:
                if ch in reviewed:
                    lacking = [rhyme_corners.CORNER_NAMES[q] for q, shape in enumerate(row[1])
                               if shape in rhyme_corners.DIGIT_OF_SHAPE and corners[q][1] != shape]
                    if lacking:
                        undecided.append(f"{ch}\t{row[0]}\t笔画里看不到{'、'.join(lacking)}的笔形")
                    code, corners = apply_exception(row, code, corners)
                elif ch in exceptions:
                    if len(value) == 5 and value[4] == "2" and len(row[1]) < 5:
                        undecided.append(f"{ch}\t{value}\t例外表没有定附角")
                    code, corners = apply_exception(row, code, corners)
                elif doubt and "2" in value:
                    undecided.append(f"{ch}\t{value}\t{doubt}")
                readings[ch] = corners
            if code not in codes:
                codes.append(code)
        coded[ch] = codes
    if undecided:
        sys.exit("characters the strokes do not settle, missing from "
                 f"{exceptions_path}:\n" + "\n".join(undecided))
    return coded, readings


def write_corners(path, characters, full, readings):
    """corners.txt: for each coded character its main code, the stroke that
    makes each digit (stroke order from 0, "-" where none) and the name of
    that digit's shape by the rhyme: four of each for a four-digit code,
    five for a five-digit one."""
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        for ch in characters:
            if ch not in full:
                continue
            code = full[ch]
            strokes, names = [], []
            for stroke, name in readings[ch][:len(code)]:
                strokes.append("-" if stroke is None else str(stroke))
                names.append(name)
            f.write(f"{ch}\t{code}\t{' '.join(strokes)}\t{' '.join(names)}\n")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--unihan", default=UNIHAN)
    ap.add_argument("--jieba", default=None)
    ap.add_argument("--fortunes", default=FORTUNES)
    ap.add_argument("--readings", default=READINGS)
    ap.add_argument("--variants", default=VARIANTS)
    ap.add_argument("--strokes", default=os.path.join(SOURCES, STROKES_TARBALL),
                    help="the hanzi-writer-data package tarball")
    ap.add_argument("--stroke-keys", default=STROKE_CLASSES,
                    help="the stroke class table (tools/stroke_classes.txt)")
    ap.add_argument("--exceptions", default=EXCEPTIONS)
    ap.add_argument("--reviewed", default=REVIEWED,
                    help="codes read by eye for characters without a source code")
    ap.add_argument("--out", required=True, help="folder for the tables")
    args = ap.parse_args()
    if not os.path.exists(args.strokes):
        sys.exit(f"{args.strokes} not found: run tools/fetch_stroke_sources.sh")

    jieba = args.jieba or next((p for p in JIEBA_CANDIDATES if os.path.exists(p)), None)
    if not jieba:
        sys.exit("jieba/dict.txt not found: install python3-jieba")

    corner = read_corner_codes(args.unihan)
    gb = gb2312_characters()
    source = {ch: corner[ch] for ch in gb if ch in corner}
    reviewed = read_reviewed_codes(args.reviewed)
    missing = [ch for ch in gb if ch not in source and ch not in reviewed]
    if missing:
        sys.exit(f"GB2312 characters without a code, missing from {args.reviewed}: "
                 + "".join(missing))
    coded, readings = rhyme_codes(source, args.strokes, args.stroke_keys, args.exceptions,
                                  {ch: code for ch, code in reviewed.items() if ch not in source})
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
    blend = {
        ch: TEXT_WEIGHT * text[ch] / text_total + LIST_WEIGHT * evidence[ch] / evidence_total
        for ch in coded
    }
    freq = character_frequencies(read_pinlu(args.readings, args.variants, coded), blend)

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
    write_corners(os.path.join(args.out, "corners.txt"), gb, full, readings)
    print(f"{len(coded)} characters with codes ({sum(1 for ch in coded if text[ch])} in the "
          f"fortunes' {text_total} characters; {len(computing)} computing words left out), "
          f"{len(char_rows)} character rows, {len(word_rows)} word rows, "
          f"{len(frequent)} frequent words")


if __name__ == "__main__":
    main()
