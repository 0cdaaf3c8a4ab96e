#!/usr/bin/env python3
"""Make the guided course "学习路线" from the dictionary source tables.

Reads data/dictsrc (chars.txt, words.txt, corners.txt) and the radicals of
Unihan's kRSUnicode (Debian package unicode-data) and writes into a course
folder:

  steps.txt     number <TAB> kind <TAB> digits <TAB> minSpeed <TAB> title <TAB> advice
                kind: strokes, colour, chars, words or article; digits only
                for strokes
  step<N>.txt   for the chars and words steps: text <TAB> code [<TAB> radical]
                the radical column is the character's kRSUnicode value
                ("9.3": radical 9, 3 further strokes), a note the program does
                not read

The steps, in the order the code is learned: the ten stroke shapes two at a
time; the coloured characters; frequent characters whose four corners are
each read straight off one stroke; characters sharing a component on the
left (亻 氵 口 扌) by their radical and the two left corners the component
gives; the one- and two-key short codes; two-, three- and four-or-more
character words; an article test. Items are ordered by falling frequency;
codes are the dictionary's own, so every code taught is one it accepts.
UTF-8, LF line ends: re-running the script gives the same bytes.
"""

import argparse
import os
import sys

# The table reader of the exercise files and the dictionary's own rules: the
# course's items are read and coded as the dictionary is.
from gen_dict_sources import read_unihan_field, word_code
from gen_exercise_files import read_table

UNIHAN = "/usr/share/unicode/Unihan_IRGSources.txt.bz2"

SPEED_PICTURES = 20
SPEED_CHARACTERS = 10
SPEED_WORDS = 8
SPEED_ARTICLE = 10

SIMPLE_COUNT = 60
COMPONENT_COUNT = 40
SHORT_TWO_KEY_COUNT = 30
WORD_COUNT = 40

# Corner names that are not read straight off a stroke.
NOT_A_STROKE = {"已用", "空角", "亠"}

# A component on the left: its radical number and the digits it gives the
# top-left and bottom-left corners.
COMPONENTS = [
    ("亻", 9, "0", "2"),
    ("氵", 85, "3", "1"),
    ("口", 30, "6", "0"),
    ("扌", 64, "5", "0"),
]

STROKE_STEPS = [
    ("12", "认识笔形：一横二竖",
     "先认两个笔形：横是1（向右上挑的提也算横），竖是2。看白框上面的图，用小键盘打它的数字，再按回车。"),
    ("34", "认识笔形：三点捺、叉四",
     "点和捺是3，两笔相交叉是4（如“十”“乂”）。看图打数字，再按回车；打错了按小键盘的“.”删掉重打。"),
    ("56", "认识笔形：插五、方块六",
     "一笔穿过两笔或更多的笔是插，打5（如“扌”“手”）；只和一笔相交是叉，打4（如“十”）。"
     "四边围成的方块是6。看清了再打。"),
    ("78", "认识笔形：七角、八八",
     "两笔相接成的角是7，像“八”字的两笔是8。先求看准，不必求快。"),
    ("90", "认识笔形：九是小，撇与左钩是零",
     "像“小”字的笔形是9，撇和左钩都是0。学完这一步，十个数字就都认识了。"),
]

COMPONENT_TEXT = {
    "亻": ("部件：单人旁亻",
           "这些字左边都是亻：左上角是撇，第一位打0；左下角是竖，第三位打2。第二、第四位看右边的部件，"
           "如“他”04210。"),
    "氵": ("部件：三点水氵",
           "这些字左边都是氵：左上角是点，第一位打3；左下角是提，当横，第三位打1。"),
    "口": ("部件：口字旁",
           "这些字左上都是口：口是方块，第一位打6；它的左下角已经用过，第三位打0。"),
    "扌": ("部件：提手旁扌",
           "这些字左边都是扌：左上角是插，第一位打5；左下角已经用过，第三位打0。"),
}


def read_corners(path):
    """{character: (main code, [the shape name of each digit])}."""
    table = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 4:
                table[parts[0]] = (parts[1], parts[3].split(" "))
    return table


def read_radicals(path):
    """{character: first kRSUnicode value}."""
    return {ch: value.split(" ")[0]
            for ch, value in read_unihan_field(path, "kRSUnicode").items()}


def ranked(rows):
    """(code, text, freq) by falling frequency, then code and text."""
    return sorted(rows, key=lambda r: (-r[2], r[0], r[1]))


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--source", default=os.path.join(os.path.dirname(__file__), "..", "data",
                                                      "dictsrc"))
    ap.add_argument("--unihan", default=UNIHAN)
    ap.add_argument("--out", required=True, help="the course folder to write")
    args = ap.parse_args()
    if not os.path.exists(args.unihan):
        sys.exit(f"{args.unihan} not found: install unicode-data")

    corners = read_corners(os.path.join(args.source, "corners.txt"))
    main_code = {ch: code for ch, (code, _) in corners.items()}
    chars = read_table(os.path.join(args.source, "chars.txt"))
    words = read_table(os.path.join(args.source, "words.txt"))
    radicals = read_radicals(args.unihan)

    # Characters under their main code, most frequent first.
    full = ranked(r for r in chars if main_code.get(r[1]) == r[0])
    steps = []  # (kind, digits, speed, title, advice, items)
    for digits, title, advice in STROKE_STEPS:
        steps.append(("strokes", digits, SPEED_PICTURES, title, advice, None))
    steps.append(("colour", "", SPEED_CHARACTERS, "彩色字：按四个角的顺序",
                  "字的四个角各有颜色：左上红、右上蓝、左下绿、右下紫。按这个顺序打出四个角的数字。"
                  "一个角的笔画已被别的角用过、角上没有笔画，或字顶是点加横（亠），这个角都打0。",
                  None))

    def char_item(code, ch):
        return (ch, code, radicals.get(ch, ""))

    simple = [char_item(code, ch) for code, ch, _ in full
              if not NOT_A_STROKE.intersection(corners[ch][1][:4])][:SIMPLE_COUNT]
    steps.append(("chars", "", SPEED_CHARACTERS, "第一批字：笔形清楚的常用字",
                  "这些常用字的四个角都由一笔直接构成。按左上、右上、左下、右下的顺序打四个角；"
                  "很多字还有第五位附角：右下角上方最贴近的一笔，那里没有笔画就打0"
                  "（如“的”07600，“们”没有附角，打0720）。打完按回车。",
                  simple))

    for component, radical, top_left, bottom_left in COMPONENTS:
        items = []
        for code, ch, _ in full:
            rs = radicals.get(ch, "")
            number, _, rest = rs.partition(".")
            if (number == str(radical) and rest not in ("", "0") and code[0] == top_left
                    and code[2] == bottom_left):
                items.append(char_item(code, ch))
        title, advice = COMPONENT_TEXT[component]
        steps.append(("chars", "", SPEED_CHARACTERS, title, advice, items[:COMPONENT_COUNT]))

    one_key = sorted((r for r in chars if len(r[0]) == 1), key=lambda r: r[0])
    two_key = ranked(r for r in chars if len(r[0]) == 2)[:SHORT_TWO_KEY_COUNT]
    steps.append(("chars", "", SPEED_CHARACTERS, "简码：一键字和二键字",
                  "最常用的字不必打全码：一键字只打一位，二键字只打前两位。记住它们，打字会快很多。",
                  [char_item(code, ch) for code, ch, _ in one_key + two_key]))

    coded = [r for r in words if len(r[0]) == 6]
    word_steps = [
        (lambda n: n == 2, "二字词",
         "二字词取每个字的前三位，共六位。先想第一个字的前三位，再想第二个字的。"),
        (lambda n: n == 3, "三字词",
         "三字词取每个字的前两位，共六位。"),
        (lambda n: n >= 4, "四字词和多字词",
         "四字词取前两个字的前两位、后两个字的第一位。更长的词取第一个字的前两位，"
         "第二、第三个字和最后两个字的第一位。"),
    ]
    for fits, title, advice in word_steps:
        rows = ranked(r for r in coded if fits(len(r[1])))[:WORD_COUNT]
        for code, text, _ in rows:
            if word_code(text, main_code) != code:
                sys.exit(f"{text}: its code {code} is not built by the word rule")
        steps.append(("words", "", SPEED_WORDS, title, advice,
                      [(text, code, None) for code, text, _ in rows]))

    steps.append(("article", "", SPEED_ARTICLE, "文章测试",
                  "打一篇短文，看看现在的速度和正确率。先求打得准，再求打得快。", None))

    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "steps.txt"), "w", encoding="utf-8", newline="\n") as f:
        for number, (kind, digits, speed, title, advice, _) in enumerate(steps, 1):
            f.write(f"{number}\t{kind}\t{digits}\t{speed}\t{title}\t{advice}\n")
    for number, (_, _, _, _, _, items) in enumerate(steps, 1):
        if items is None:
            continue
        if len({text for text, _, _ in items}) != len(items):
            sys.exit(f"step {number}: an item repeats")
        with open(os.path.join(args.out, f"step{number}.txt"), "w", encoding="utf-8",
                  newline="\n") as f:
            for text, code, radical in items:
                f.write(f"{text}\t{code}" + (f"\t{radical}" if radical is not None else "") + "\n")
    print(" ".join(f"{n}:{len(s[5])}" for n, s in enumerate(steps, 1) if s[5] is not None))


if __name__ == "__main__":
    main()
